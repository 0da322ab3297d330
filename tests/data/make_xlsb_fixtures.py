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


def worksheet(records):
    return record(129) + record(145) + records + record(146) + record(130)


def workbook(names, date1904=False):
    sheets = b"".join(
        record(156, struct.pack("<II", 0, i + 1) + wide("rId%d" % (i + 1)) + wide(name))
        for i, name in enumerate(names))
    return (record(131) + record(153, struct.pack("<II", 1 if date1904 else 0, 0) + wide(""))
            + record(143) + sheets + record(144) + record(132))


def package(path, sheets, strings, date1904=False):
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
        z.writestr("xl/workbook.bin", workbook([name for name, _ in sheets], date1904))
        z.writestr("xl/_rels/workbook.bin.rels", head + "".join(rels) + "</Relationships>")
        z.writestr("xl/sharedStrings.bin", shared_strings(strings))
        z.writestr("xl/styles.bin", styles())
        for i, (_, records) in enumerate(sheets):
            z.writestr("xl/worksheets/sheet%d.bin" % (i + 1), worksheet(records))


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


def main():
    os.makedirs(OUT, exist_ok=True)
    kinds(os.path.join(OUT, "kinds.xlsb"))


if __name__ == "__main__":
    main()
