#!/usr/bin/python3
"""Lists what an .xlsx workbook holds besides its cells' values, as openpyxl reads it, in
the form of xls_contents_oracle.py: the independent view that the .xlsb reader's contents
are checked against where a binary workbook has a twin saved as .xlsx. Notes are left out
(openpyxl reads them from a part the binary twin does not share the form of), and so are
theme colours' tints, whose text depends on the file's precision.
"""
import sys

from openpyxl import load_workbook
from openpyxl.cell import Cell
from openpyxl.styles.colors import COLOR_INDEX
from openpyxl.utils import get_column_letter, column_index_from_string

STATES = {"visible": "visible", "hidden": "hidden", "veryHidden": "veryhidden"}


def spans(numbers):
    out = []
    for number in sorted(numbers):
        if out and number == out[-1][1] + 1:
            out[-1][1] = number
        else:
            out.append([number, number])
    return out


def colour(value):
    if value is None:
        return ""
    if value.type == "rgb" and isinstance(value.rgb, str):
        return value.rgb[-6:].upper()
    if value.type == "indexed":
        return COLOR_INDEX[value.indexed][-6:] if value.indexed < 64 else ""
    if value.type == "theme":
        return "theme %d" % value.theme
    return ""


def described(cell):
    font = cell.font
    fill = colour(cell.fill.fgColor) if cell.fill.fill_type else ""
    return "%s|%d|%d|%d|%s|%s" % (cell.number_format, bool(font.b), bool(font.i),
                                  bool(font.u), colour(font.color), fill)


def main(path):
    book = load_workbook(path)
    out = []
    plain = None  # the format of the first cell style, which cells without another have
    for sheet in book.worksheets:
        out.append("sheet %s %s" % (sheet.title, STATES[sheet.sheet_state]))
        if plain is None:
            plain = described(Cell(sheet))
        rows = [r for r, d in sheet.row_dimensions.items() if d.hidden]
        for first, last in spans(rows):
            out.append("rows %s %d-%d" % (sheet.title, first, last))
        columns = set()
        for key, d in sheet.column_dimensions.items():
            if d.hidden:
                columns.update(range(d.min or column_index_from_string(key),
                                     (d.max or column_index_from_string(key)) + 1))
        for first, last in spans(columns):
            out.append("columns %s %d-%d" % (sheet.title, first, last))
        merged = sorted(sheet.merged_cells.ranges, key=lambda r: (r.min_row, r.min_col))
        for area in merged:
            out.append("merged %s %s" % (sheet.title, area.coord))
        for row in sheet.iter_rows():
            for cell in row:
                text = described(cell)
                if cell.has_style and text != plain:
                    out.append("format %s!%s %s" % (sheet.title, cell.coordinate, text))
    names = []
    for name in book.defined_names.definedName:
        scope = book.sheetnames[name.localSheetId] if name.localSheetId is not None else ""
        names.append((scope, name.name.replace("_xlnm.", ""), "=" + name.attr_text))
    for scope, name, formula in sorted(names):
        out.append("name %s|%s|%s" % (scope, name, formula))
    sys.stdout.write("".join(line + "\n" for line in out))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
