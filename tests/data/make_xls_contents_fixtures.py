#!/usr/bin/python3
"""Writes the .xls workbooks that hold notes, defined names, hidden and merged areas and
formats, into tests/data/xls/: contents.xls (BIFF8) and contents_biff5.xls (BIFF5).

The workbook is written as .xlsx with openpyxl and converted with Gnumeric's ssconvert.
Run it again after changing it and commit the results; the .xlsx is removed.
"""
import os
import subprocess
import sys
import tempfile

from openpyxl import Workbook
from openpyxl.comments import Comment
from openpyxl.styles import Font, PatternFill
from openpyxl.workbook.defined_name import DefinedName

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "xls")


def contents(path):
    book = Workbook()
    data = book.active
    data.title = "Data"
    for row in range(1, 13):
        for column in range(1, 7):
            data.cell(row, column, row * 10 + column)
    data["A1"] = "Title"
    data["A1"].comment = Comment("Check the title", "Ada")
    data["C4"].comment = Comment("Second line\nof a note", "Grace Hopper")
    data.merge_cells("A1:C1")
    data.merge_cells("E5:F7")
    data.row_dimensions[3].hidden = True
    data.row_dimensions[4].hidden = True
    data.row_dimensions[9].hidden = True
    data.column_dimensions["B"].hidden = True
    data["B2"].font = Font(bold=True)
    data["C2"].font = Font(italic=True, underline="single")
    data["D2"].font = Font(color="FFFF0000")
    data["E2"].fill = PatternFill("solid", fgColor="FFFFFF00")
    data["F2"].number_format = "0.000"
    data["A3"].number_format = "#,##0.00"
    data["B3"].font = Font(bold=True, color="FF0000FF")
    data["B3"].fill = PatternFill("solid", fgColor="FF00FF00")
    data["D10"].font = Font(bold=True)  # a styled cell with no value
    data["D10"].value = None
    data["F12"].number_format = "yyyy-mm-dd"

    second = book.create_sheet("Second sheet")
    second["A1"] = "kept"
    second["B2"] = "noted"
    second["B2"].comment = Comment("On the second sheet", "Ada")
    hidden = book.create_sheet("Hidden")
    hidden["A1"] = 1
    hidden.sheet_state = "hidden"
    deep = book.create_sheet("Deep")
    deep["A1"] = 2
    deep.sheet_state = "veryHidden"

    book.defined_names.append(DefinedName("Table", attr_text="Data!$A$1:$F$12"))
    book.defined_names.append(DefinedName("Rate", attr_text="'Second sheet'!$A$1"))
    book.defined_names.append(DefinedName("Local", attr_text="Data!$B$2", localSheetId=1))
    book.defined_names.append(DefinedName("Twice", attr_text="Data!$B$2*2"))
    data.print_area = "A1:C4"
    book.save(path)


def convert(source, target, exporter):
    subprocess.run(["ssconvert", "--export-type=" + exporter, source, target], check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def main():
    os.makedirs(OUT, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        source = os.path.join(work, "contents.xlsx")
        contents(source)
        convert(source, os.path.join(OUT, "contents.xls"), "Gnumeric_Excel:excel_biff8")
        convert(source, os.path.join(OUT, "contents_biff5.xls"), "Gnumeric_Excel:excel_biff7")
    return 0


if __name__ == "__main__":
    sys.exit(main())
