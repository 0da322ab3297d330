#!/usr/bin/python3
"""Lists what an .xls workbook holds besides its cells' values, as xlrd reads it with its
formatting information: the independent view the .xls reader's contents are checked
against. One line a fact, in the order the reader's tests list them:

    sheet NAME visible|hidden|veryhidden
    note SHEET!A1 AUTHOR|TEXT          (line breaks as \\n)
    rows SHEET FIRST-LAST              (hidden rows, 1-based, joined when adjacent)
    columns SHEET FIRST-LAST           (hidden columns, 1-based)
    merged SHEET A1:B2
    format SHEET!A1 CODE|bold|italic|underline|FONTCOLOUR|FILLCOLOUR
    name SCOPE|NAME|FORMULA            (after the sheets, sorted by scope, then name)

A name whose formula xlrd cannot render (another workbook's sheets, arrays, errors) gets
"=?", as does one with relative references, which xlrd writes in R1C1 style. Whole rows
and columns are written as such ($1:$9, not xlrd's $A$1:$IV$9). Files before BIFF5 end with exit code 3: their contents are not read.

Cells whose format is the workbook's default one, that of the default cell style, are left
out, as the reader leaves them out.
"""
import os
import re
import sys

import xlrd
from openpyxl.styles.numbers import BUILTIN_FORMATS
from xlrd.formatting import std_format_strings
from xlrd.formula import colname

STATES = {0: "visible", 1: "hidden", 2: "veryhidden"}


def cell_name(row, column):
    return "%s%d" % (colname(column), row + 1)


def colour(book, index):
    rgb = book.colour_map.get(index)
    return "" if rgb is None else "%02X%02X%02X" % rgb


def spans(numbers):
    out = []
    for number in sorted(numbers):
        if out and number == out[-1][1] + 1:
            out[-1][1] = number
        else:
            out.append([number, number])
    return out


def cell_format(book, xf_index):
    xf = book.xf_list[xf_index]
    font = book.font_list[xf.font_index]
    code = book.format_map[xf.format_key].format_str if xf.format_key in book.format_map else ""
    # A built-in format the file does not spell out: its code as the XML packages number
    # it (openpyxl's table), not xlrd's older locale-bound one.
    if code == std_format_strings.get(xf.format_key) and xf.format_key in BUILTIN_FORMATS:
        code = BUILTIN_FORMATS[xf.format_key]
    fill = ""
    if xf.background.fill_pattern:
        fill = colour(book, xf.background.pattern_colour_index)
    return "%s|%d|%d|%d|%s|%s" % (code or "General", font.weight >= 700, font.italic,
                                  font.underline_type != 0, colour(book, font.colour_index),
                                  fill)


def list_sheet(book, sheet, out):
    out.append("sheet %s %s" % (sheet.name, STATES[sheet.visibility]))
    for (row, column), note in sorted(sheet.cell_note_map.items()):
        text = note.text.replace("\n", "\\n")
        out.append("note %s!%s %s|%s" % (sheet.name, cell_name(row, column), note.author, text))
    hidden = [r for r, info in sheet.rowinfo_map.items() if info.hidden]
    for first, last in spans(hidden):
        out.append("rows %s %d-%d" % (sheet.name, first + 1, last + 1))
    hidden = [c for c, info in sheet.colinfo_map.items() if info.hidden]
    for first, last in spans(hidden):
        out.append("columns %s %d-%d" % (sheet.name, first + 1, last + 1))
    for rlo, rhi, clo, chi in sorted(sheet.merged_cells, key=lambda area: (area[0], area[2])):
        out.append("merged %s %s:%s" % (sheet.name, cell_name(rlo, clo), cell_name(rhi - 1, chi - 1)))
    # The default cell format (XF 15) is left out, as the reader leaves it out.
    plain = cell_format(book, 15) if len(book.xf_list) > 15 else "General|0|0|0||"
    for row in range(sheet.nrows):
        for column in range(sheet.row_len(row)):
            described = cell_format(book, sheet.cell_xf_index(row, column))
            if sheet.cell_type(row, column) == xlrd.XL_CELL_EMPTY or described == plain:
                continue
            out.append("format %s!%s %s" % (sheet.name, cell_name(row, column), described))


def formula_text(name):
    """xlrd's text of a name's formula, with its numbers and error constants written the
    way a formula bar writes them: 2 rather than the Python float 2.0, #REF! unquoted."""
    if name.result is None or re.search(r"\?|<<|R\[|RC|R\d+C", name.result.text):
        return "=?"
    text = re.sub(r"(?<![\w.$])(\d+)\.0(?![\d])", r"\1", name.result.text)
    text = re.sub(r'"(#(?:NULL!|DIV/0!|VALUE!|REF!|NAME\?|NUM!|N/A))"', r"\1", text)
    text = re.sub(r"\$([A-Z]+)\$1:\$([A-Z]+)\$65536(?!\d)", r"$\1:$\2", text)
    text = re.sub(r"\$A\$(\d+):\$IV\$(\d+)", r"$\1:$\2", text)
    return "=" + text


def main(path):
    book = xlrd.open_workbook(path, formatting_info=True, logfile=open(os.devnull, "w"))
    if book.biff_version < 50:
        return 3
    out = []
    for sheet in book.sheets():
        list_sheet(book, sheet, out)
    names = []
    for name in book.name_obj_list:
        scope = book.sheet_names()[name.scope] if 0 <= name.scope < book.nsheets else ""
        names.append((scope, name.name, formula_text(name)))
    for scope, name, formula in sorted(names):
        out.append("name %s|%s|%s" % (scope, name, formula))
    sys.stdout.write("".join(line + "\n" for line in out))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
