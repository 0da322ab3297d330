#!/usr/bin/python3
"""Writes the benchmark pair of .xlsx workbooks: ROWS x COLS of integers, decimals, strings
from a pool of 50,000 kept in a shared-strings table, and dates with a date format; the
second file with about 1% of the data cells changed or emptied, a few values past the last
column, and in both a second small sheet; and, when named, a third: the first with one row
inserted at row 10, for the aligned comparison. The content depends only on ROWS and COLS,
so runs are comparable. Written with the standard library alone, streaming row by row, so
that large pairs need little memory.

With --formulas the column after the data holds a shared formula, twice the first column,
with its value; in the second file about 1% of these cells hold the value alone and about
0.5% an equal formula written another way, so that only a comparison of formulas finds them.

With --inserted N it writes one file alone: the first with N rows inserted, spread evenly
through it, for timing the aligned comparison against the first compared with itself.

    make_workbooks.py [--formulas] ROWS COLS FIRST.xlsx SECOND.xlsx [INSERTED.xlsx]
    make_workbooks.py --inserted N ROWS COLS INSERTED.xlsx
"""

import datetime
import random
import sys
import zipfile
from xml.sax.saxutils import escape

DATE_STYLE = 1  # cellXfs index of the "yyyy-mm-dd" format
EPOCH = datetime.date(1899, 12, 30)
POOL = ["item %06d %s" % (i, "abcdefghij"[i % 10] * (i % 7 + 1)) for i in range(50000)]

CONTENT_TYPES = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">\
<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>\
<Default Extension="xml" ContentType="application/xml"/>\
<Override PartName="/xl/workbook.xml" \
ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>\
<Override PartName="/xl/worksheets/sheet1.xml" \
ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>\
<Override PartName="/xl/worksheets/sheet2.xml" \
ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>\
<Override PartName="/xl/styles.xml" \
ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"/>\
<Override PartName="/xl/sharedStrings.xml" \
ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>\
</Types>"""

PACKAGE_RELS = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">\
<Relationship Id="rId1" \
Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" \
Target="xl/workbook.xml"/></Relationships>"""

WORKBOOK = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" \
xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets>\
<sheet name="Data" sheetId="1" r:id="rId1"/><sheet name="Notes" sheetId="2" r:id="rId2"/>\
</sheets></workbook>"""

WORKBOOK_RELS = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">\
<Relationship Id="rId1" \
Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" \
Target="worksheets/sheet1.xml"/>\
<Relationship Id="rId2" \
Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" \
Target="worksheets/sheet2.xml"/>\
<Relationship Id="rId3" \
Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" \
Target="styles.xml"/>\
<Relationship Id="rId4" \
Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" \
Target="sharedStrings.xml"/></Relationships>"""

STYLES = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">\
<numFmts count="1"><numFmt numFmtId="164" formatCode="yyyy\\-mm\\-dd"/></numFmts>\
<fonts count="1"><font><sz val="11"/><name val="Calibri"/></font></fonts>\
<fills count="1"><fill><patternFill patternType="none"/></fill></fills>\
<borders count="1"><border/></borders>\
<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>\
<cellXfs count="2"><xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/>\
<xf numFmtId="164" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/>\
</cellXfs></styleSheet>"""

SHEET_START = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">\
<dimension ref="A1:%s"/><sheetData>"""
SHEET_END = "</sheetData></worksheet>"


def column_letters(column):
    letters = ""
    while column > 0:
        column, rest = divmod(column - 1, 26)
        letters = chr(65 + rest) + letters
    return letters


class SharedStrings:
    """The shared-strings table of one file, each text numbered when first used."""

    def __init__(self):
        self.index = {}
        self.uses = 0

    def cell(self, reference, text):
        self.uses += 1
        number = self.index.setdefault(text, len(self.index))
        return '<c r="%s" t="s"><v>%d</v></c>' % (reference, number)

    def part(self):
        items = "".join("<si><t>%s</t></si>" % escape(text) for text in self.index)
        return ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
                '<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" '
                'count="%d" uniqueCount="%d">%s</sst>' % (self.uses, len(self.index), items))


def data_cell(rng, column, reference, strings):
    kind = column % 4
    if kind == 0:
        return '<c r="%s"><v>%d</v></c>' % (reference, rng.randint(-1000000, 1000000))
    if kind == 1:
        return '<c r="%s"><v>%r</v></c>' % (reference, round(rng.uniform(-10000, 10000), 4))
    if kind == 2:
        return strings.cell(reference, POOL[rng.randrange(len(POOL))])
    serial = (datetime.date(2000, 1, 1) + datetime.timedelta(days=rng.randrange(9000)) - EPOCH).days
    return '<c r="%s" s="%d"><v>%d</v></c>' % (reference, DATE_STYLE, serial)


INSERTED_ROW = 10


def spread_rows(rows, count):
    """The rows of the first file before which count rows are inserted, spread evenly."""
    return [max(1, rows * (k + 1) // (count + 1)) for k in range(count)]


def write_inserted_row(out, row, cols, letters, strings):
    cells = [strings.cell("%s%d" % (letters[c], row), "inserted %d" % c) for c in range(cols)]
    out.write(('<row r="%d">%s</row>' % (row, "".join(cells))).encode())


def formula_cell(column, row, rows, first_value, changed, formula_rng):
    """The formula column's cell: a shared formula, or in the second file now and then its
    value alone or an equal formula."""
    value = 2 * first_value
    reference = "%s%d" % (column, row)
    if changed:
        draw = formula_rng.random()
        if draw < 0.01:
            return '<c r="%s"><v>%d</v></c>' % (reference, value)
        if draw < 0.015:
            return '<c r="%s"><f>A%d+A%d</f><v>%d</v></c>' % (reference, row, row, value)
    if row == 1:
        return ('<c r="%s"><f t="shared" ref="%s:%s%d" si="0">A1*2</f><v>%d</v></c>'
                % (reference, reference, column, rows, value))
    return '<c r="%s"><f t="shared" si="0"/><v>%d</v></c>' % (reference, value)


def write_data_sheet(out, rows, cols, changed, strings, formulas=False, inserted=()):
    """inserted: the rows of the first file before which a row is inserted."""
    rng = random.Random(rows * 100003 + cols)
    change_rng = random.Random(7)
    formula_rng = random.Random(11)
    letters = [column_letters(c + 1) for c in range(cols + 2)]
    last = cols + (1 if formulas else 0) - (0 if changed else 1)
    last_row = rows + len(inserted)
    out.write((SHEET_START % ("%s%d" % (letters[last], last_row))).encode())
    before = set(inserted)
    shift = 0
    for r in range(rows):
        row = r + 1 + shift
        if r + 1 in before:
            write_inserted_row(out, row, cols, letters, strings)
            shift += 1
            row += 1
        cells = []
        first_value = None
        for c in range(cols):
            reference = "%s%d" % (letters[c], row)
            cell = data_cell(rng, c, reference, strings)  # drawn always, so both files agree
            if c == 0:
                first_value = int(cell.split("<v>")[1].split("<")[0])
            if changed and change_rng.random() < 0.01:
                if change_rng.random() < 0.3:
                    continue
                cell = strings.cell(reference, "changed %d" % change_rng.randrange(1000))
            cells.append(cell)
        if formulas:
            # The value is twice column A as the first file has it, changed there or not.
            cells.append(formula_cell(letters[cols], row, rows, first_value, changed, formula_rng))
        if changed and r % 5000 == 17:
            cells.append(strings.cell("%s%d" % (letters[cols + (1 if formulas else 0)], row),
                                      "extra"))
        out.write(('<row r="%d">%s</row>' % (row, "".join(cells))).encode())
    out.write(SHEET_END.encode())


def write_notes_sheet(out, changed, strings):
    out.write((SHEET_START % "B20").encode())
    for r in range(20):
        number = r * (2 if changed and r == 5 else 1)
        out.write(('<row r="%d">%s<c r="B%d"><v>%d</v></c></row>'
                   % (r + 1, strings.cell("A%d" % (r + 1), "note %d" % r), r + 1, number)).encode())
    out.write(SHEET_END.encode())


def write(path, rows, cols, changed, formulas=False, inserted=()):
    strings = SharedStrings()
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED, compresslevel=6) as book:
        book.writestr("[Content_Types].xml", CONTENT_TYPES)
        book.writestr("_rels/.rels", PACKAGE_RELS)
        book.writestr("xl/workbook.xml", WORKBOOK)
        book.writestr("xl/_rels/workbook.xml.rels", WORKBOOK_RELS)
        book.writestr("xl/styles.xml", STYLES)
        with book.open("xl/worksheets/sheet1.xml", "w", force_zip64=True) as out:
            write_data_sheet(out, rows, cols, changed, strings, formulas, inserted)
        with book.open("xl/worksheets/sheet2.xml", "w") as out:
            write_notes_sheet(out, changed, strings)
        book.writestr("xl/sharedStrings.xml", strings.part())


if __name__ == "__main__":
    arguments = sys.argv[1:]
    if arguments[:1] == ["--inserted"]:
        if len(arguments) != 5:
            sys.exit(__doc__)
        count, rows, cols = int(arguments[1]), int(arguments[2]), int(arguments[3])
        write(arguments[4], rows, cols, False, inserted=spread_rows(rows, count))
        sys.exit(0)
    with_formulas = arguments[:1] == ["--formulas"]
    if with_formulas:
        arguments = arguments[1:]
    if len(arguments) not in (4, 5):
        sys.exit(__doc__)
    rows, cols, first, second = int(arguments[0]), int(arguments[1]), arguments[2], arguments[3]
    write(first, rows, cols, False, with_formulas)
    write(second, rows, cols, True, with_formulas)
    if len(arguments) == 5:
        write(arguments[4], rows, cols, False, with_formulas, inserted=(INSERTED_ROW,))
