#!/usr/bin/python3
"""Writes the small binary workbooks (.xlsb) of tests/data/xlsb/ record by record.

No program that saves .xlsb is at hand, so the parts are built here from their records.
The parts are stored without compression, so that the fuzzer's mutations of these seeds
reach the record reader instead of breaking the deflate stream. Run it again after
changing it and commit the results.
"""
import os
import struct
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "xlsb")
REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/"


def record(kind, body=b""):
    head = bytearray()
    if kind >= 0x80:
        head += bytes([(kind & 0x7F) | 0x80, kind >> 7])
    else:
        head.append(kind)
    size = len(body)
    while True:
        head.append((size & 0x7F) | (0x80 if size >= 0x80 else 0))
        size >>= 7
        if size == 0:
            break
    return bytes(head) + body


def wide(text):
    units = text.encode("utf-16-le")
    return struct.pack("<I", len(units) // 2) + units


def row(number):
    return record(0, struct.pack("<I", number) + bytes(21))


def cell(kind, column, style, value):
    return record(kind, struct.pack("<II", column, style) + value)


def rk_int(value):
    return struct.pack("<i", (value << 2) | 2)


FORMULA_TAIL = struct.pack("<HII", 0, 0, 0)


def styles():
    def fmt(ident, code):
        return record(44, struct.pack("<H", ident) + wide(code))

    def xf(fmt_id):
        return record(47, struct.pack("<HH", 0, fmt_id) + bytes(12))

    return (record(278) + record(615, struct.pack("<I", 1)) + fmt(164, "d/m/yyyy h:mm")
            + record(616) + record(617, struct.pack("<I", 3)) + xf(0) + xf(14) + xf(164)
            + record(618) + record(279))


def shared_strings(texts):
    items = b"".join(record(19, b"\x00" + wide(text)) for text in texts)
    return record(159, struct.pack("<II", len(texts), len(texts))) + items + record(160)


def worksheet(records, before=b"", after=b""):
    return record(129) + before + record(145) + records + record(146) + after + record(130)


def workbook(names, date1904=False, states=None, defined=b""):
    states = states or [0] * len(names)
    sheets = b"".join(
        record(156, struct.pack("<II", states[i], i + 1) + wide("rId%d" % (i + 1)) + wide(name))
        for i, name in enumerate(names))
    return (record(131) + record(153, struct.pack("<II", 1 if date1904 else 0, 0) + wide(""))
            + record(143) + sheets + record(144) + defined + record(132))


def package(path, sheets, strings, date1904=False, states=None, defined=b"", styles_part=None,
            comments=None):
    rels = ['<Relationship Id="rId%d" Type="%sworksheet" Target="worksheets/sheet%d.bin"/>'
            % (i + 1, REL, i + 1) for i in range(len(sheets))]
    rels.append('<Relationship Id="rIdS" Type="%ssharedStrings" Target="sharedStrings.bin"/>'
                % REL)
    rels.append('<Relationship Id="rIdT" Type="%sstyles" Target="styles.bin"/>' % REL)
    head = ('<?xml version="1.0"?><Relationships '
            'xmlns="http://schemas.openxmlformats.org/package/2006/relationships">')
    with zipfile.ZipFile(path, "w", zipfile.ZIP_STORED) as z:
        z.writestr("_rels/.rels", head + '<Relationship Id="rId1" Type="%sofficeDocument" '
                   'Target="xl/workbook.bin"/></Relationships>' % REL)
        z.writestr("xl/workbook.bin",
                   workbook([name for name, _ in sheets], date1904, states, defined))
        z.writestr("xl/_rels/workbook.bin.rels", head + "".join(rels) + "</Relationships>")
        z.writestr("xl/sharedStrings.bin", shared_strings(strings))
        z.writestr("xl/styles.bin", styles_part or styles())
        for i, (_, records) in enumerate(sheets):
            z.writestr("xl/worksheets/sheet%d.bin" % (i + 1),
                       records if isinstance(records, bytes) and records[:1] == b"\x81"
                       else worksheet(records))
        if comments is not None:
            z.writestr("xl/worksheets/_rels/sheet1.bin.rels", head + '<Relationship Id="rIdC" '
                       'Type="%scomments" Target="../comments1.bin"/></Relationships>' % REL)
            z.writestr("xl/comments1.bin", comments)


def kinds(path):
    values = (row(0) + cell(2, 0, 0, rk_int(42)) + cell(5, 1, 0, struct.pack("<d", 1.25))
              + cell(7, 2, 0, struct.pack("<I", 0)) + cell(6, 3, 0, wide("inline \u00e9"))
              + cell(4, 4, 0, b"\x01") + cell(3, 5, 0, b"\x07")
              + row(1) + cell(2, 0, 1, rk_int(45000)) + cell(5, 1, 2, struct.pack("<d", 45000.75))
              + cell(9, 2, 0, struct.pack("<d", 3) + FORMULA_TAIL)
              + cell(8, 3, 0, wide("joined") + FORMULA_TAIL)
              + cell(10, 4, 0, b"\x00" + FORMULA_TAIL) + cell(11, 5, 0, b"\x2a" + FORMULA_TAIL))
    second = row(2) + cell(7, 1, 0, struct.pack("<I", 1)) + cell(1, 2, 0, b"")
    package(path, [("Kinds", values), ("Second", second)], ["shared", "second text"])


def colour(kind, index=0, rgb=(0, 0, 0), tint=0):
    """A BrtColor: 0 automatic, 1 indexed, 2 RGB, 3 theme."""
    return struct.pack("<BBhBBBB", (kind << 1) | (kind == 2), index, tint, *rgb, 255)


def contents_styles(palette=b""):
    def font(bold=False, italic=False, underline=0, color=colour(3, 1)):
        return record(43, struct.pack("<HHHHBBBB", 220, 2 if italic else 0, 700 if bold else 400,
                                      0, underline, 2, 0, 0) + color + b"\x02" + wide("Calibri"))

    def fill(pattern, fore=colour(0)):
        return record(45, struct.pack("<I", pattern) + fore + colour(0) + bytes(16))

    def xf(fmt_id, font_id=0, fill_id=0):
        return record(47, struct.pack("<HHHHH", 0, fmt_id, font_id, fill_id, 0) + bytes(6))

    fonts = (font() + font(bold=True) + font(italic=True, underline=1)
             + font(color=colour(2, rgb=(0xFF, 0, 0))) + font(color=colour(3, 4, tint=-8192)))
    fills = fill(0) + fill(17) + fill(1, colour(1, 13)) + fill(1, colour(2, rgb=(0, 0xFF, 0)))
    return (record(278) + record(615, struct.pack("<I", 1)) + record(44, struct.pack("<H", 164)
            + wide("0.000")) + record(616) + record(611, struct.pack("<I", 5)) + fonts
            + record(612) + record(603, struct.pack("<I", 4)) + fills + record(604)
            + record(617, struct.pack("<I", 7)) + xf(0) + xf(0, 1) + xf(0, 2) + xf(0, 3)
            + xf(0, 0, 2) + xf(164, 4, 3) + xf(4) + record(618) + palette + record(279))


def grey_palette():
    """A custom palette of 64 greys, index i holding red, green and blue i, as BrtIndexedColor
    records in their collections."""
    colours = b"".join(record(475, bytes([i, i, i, 0])) for i in range(64))
    return record(473) + record(565) + colours + record(566) + record(474)


def contents_comments(second="Second line\nof a note"):
    def comment(author, row_, column, text):
        return (record(635, struct.pack("<IIIII", author, row_, row_, column, column) + bytes(16))
                + record(637, b"\x00" + wide(text)) + record(636))

    return (record(628) + record(630) + record(632, wide("Ada")) + record(632, wide("Grace"))
            + record(631) + record(633) + comment(1, 3, 2, second)
            + comment(0, 0, 0, "Check the title") + record(634) + record(629))


def defined_name(text, sheet, tokens):
    return record(39, struct.pack("<IBI", 0, 0, sheet) + wide(text)
                  + struct.pack("<I", len(tokens)) + tokens + struct.pack("<I", 0))


def hidden_row(number):
    return record(0, struct.pack("<IIHBB", number, 0, 300, 0, 0x10) + bytes(13))


def contents(path):
    def area(ixti, first_row, last_row, first_column, last_column):
        return struct.pack("<BHIIHH", 0x3B, ixti, first_row, last_row, first_column, last_column)

    externals = (record(353) + record(357) + record(362, struct.pack("<IIii", 1, 0, 0, 0))
                 + record(354))
    defined = (externals + defined_name("Table", 0xFFFFFFFF, area(0, 0, 11, 0, 5))
               + defined_name("_xlnm.Print_Area", 0, area(0, 0, 3, 0, 2)))
    cells = b"".join(cell(2, c, style, rk_int(c)) for c, style in enumerate(range(7)))
    values = (row(0) + cells + hidden_row(2) + cell(2, 0, 0, rk_int(3)) + hidden_row(3)
              + row(9) + cell(1, 3, 1, b""))
    columns = record(386) + record(60, struct.pack("<IIIIH", 1, 2, 2560, 0, 1)) + record(387)
    merged = (record(177, struct.pack("<I", 2)) + record(176, struct.pack("<IIII", 4, 6, 4, 5))
              + record(176, struct.pack("<IIII", 0, 0, 0, 2)) + record(178))
    sheet = worksheet(values, before=columns, after=merged)
    package(path, [("Data", sheet), ("Hidden", row(0) + cell(2, 0, 0, rk_int(1)))],
            ["unused"], states=[0, 1], defined=defined, styles_part=contents_styles(),
            comments=contents_comments())


def palette(path):
    """One row of cells in the formats of contents(), with a custom palette."""
    cells = b"".join(cell(2, c, style, rk_int(c)) for c, style in enumerate(range(7)))
    package(path, [("Data", row(0) + cells)], ["unused"],
            styles_part=contents_styles(grey_palette()))


def main():
    os.makedirs(OUT, exist_ok=True)
    kinds(os.path.join(OUT, "kinds.xlsb"))
    contents(os.path.join(OUT, "contents.xlsb"))
    palette(os.path.join(OUT, "palette.xlsb"))


if __name__ == "__main__":
    main()
