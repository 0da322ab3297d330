#!/usr/bin/python3
"""Writes an .xlsx holding every kind of content besides cell values that the readers take:
notes with authors, global and sheet-scoped defined names, hidden and very hidden sheets,
hidden rows and columns, merged ranges, number formats, fonts and fills, of cells and of
whole rows and columns.

Usage: write_contents_xlsx.py OUT.xlsx (with Debian's python3-openpyxl)."""

import sys

import openpyxl
from openpyxl.comments import Comment
from openpyxl.styles import Color, Font, PatternFill
from openpyxl.workbook.defined_name import DefinedName

book = openpyxl.Workbook()
data = book.active
data.title = "Data"
for row in range(1, 11):
    data.cell(row, 1, "item %d" % row)
    data.cell(row, 2, row * 1.25)
data["A1"].comment = Comment("first line\nsecond line", "Ann Author")
data["D5"].comment = Comment("a note on an empty cell", "Bob")
data.row_dimensions[3].hidden = True
data.row_dimensions[4].hidden = True
data.row_dimensions[8].hidden = True
data.column_dimensions["C"].hidden = True
data.merge_cells("D2:E3")
data.merge_cells("A12:C12")
data["B2"].number_format = "0.000"
data["B3"].number_format = "#,##0.00"
data["B4"].number_format = "mm-dd-yy"
data["A5"].font = Font(bold=True)
data["A6"].font = Font(italic=True, underline="single")
data["A7"].font = Font(color="FFFF0000")
data["A8"].font = Font(color=Color(theme=4, tint=-0.25))
data["A9"].fill = PatternFill("solid", fgColor="FF00FF00")
data["F9"].fill = PatternFill("solid", fgColor=Color(indexed=12))
# Cells without a style of their own take their row's custom format, else their column's.
data.row_dimensions[10].font = Font(bold=True)
data.column_dimensions["G"].font = Font(italic=True)
for row in (2, 10):
    data.cell(row, 7, "styled column")
data["H10"] = "own style"
data["H10"].font = Font(underline="single")

hidden = book.create_sheet("Hidden")
hidden["A1"] = "hidden sheet"
hidden.sheet_state = "hidden"
very = book.create_sheet("Very")
very["A1"] = "very hidden sheet"
very.sheet_state = "veryHidden"

book.defined_names.append(DefinedName("Items", attr_text="Data!$A$1:$A$10"))
book.defined_names.append(DefinedName("Rate", attr_text="0.25"))
book.defined_names.append(DefinedName("Local", localSheetId=1, attr_text="Hidden!$A$1"))
book.save(sys.argv[1])
