#!/usr/bin/python3
"""Writes pairs of .xlsx workbooks whose cell values are the same and which differ in one
property besides them: KIND-1.xlsx and KIND-2.xlsx for each kind listed below.

Usage: write_contents_pairs.py FOLDER (with Debian's python3-openpyxl)."""

import os
import sys

import openpyxl
from openpyxl.comments import Comment
from openpyxl.styles import Font, PatternFill
from openpyxl.workbook.defined_name import DefinedName


def base():
    book = openpyxl.Workbook()
    data = book.active
    data.title = "Data"
    for row in range(1, 7):
        data.cell(row, 1, "item %d" % row)
        data.cell(row, 2, row + 0.5)
    book.create_sheet("Other")["A1"] = "other"
    return book


def note(book, second):
    text = "checked by Ann" if second else "to be checked"
    book["Data"]["A2"].comment = Comment(text, "Ann")


def name(book, second):
    target = "Data!$A$1:$A$6" if second else "Data!$A$1:$A$5"
    book.defined_names.append(DefinedName("Items", attr_text=target))


def hidden_sheet(book, second):
    if second:
        book["Other"].sheet_state = "hidden"


def hidden_row(book, second):
    book["Data"].row_dimensions[3].hidden = second


def hidden_column(book, second):
    book["Data"].column_dimensions["B"].hidden = second


def merged(book, second):
    if second:
        book["Data"].merge_cells("D2:E3")


def number_format(book, second):
    book["Data"]["B2"].number_format = "0.000" if second else "0.00"


def font(**changed):
    def apply(book, second):
        book["Data"]["A4"].font = Font(**changed) if second else Font()
    return apply


def fill(book, second):
    if second:
        book["Data"]["A5"].fill = PatternFill("solid", fgColor="FFFFFF00")


KINDS = {
    "note": note,
    "name": name,
    "hidden-sheet": hidden_sheet,
    "hidden-row": hidden_row,
    "hidden-column": hidden_column,
    "merged": merged,
    "number-format": number_format,
    "bold": font(bold=True),
    "italic": font(italic=True),
    "underline": font(underline="single"),
    "font-colour": font(color="FFFF0000"),
    "fill": fill,
}

for kind, change in KINDS.items():
    for side in (1, 2):
        book = base()
        change(book, side == 2)
        book.save(os.path.join(sys.argv[1], "%s-%d.xlsx" % (kind, side)))
