#!/usr/bin/python3
"""Writes the small .xls files the .xls reader's tests open, into tests/data/xls/.

Each workbook is written as .xlsx with xlsxwriter and converted with Gnumeric's ssconvert
into real binary workbooks: BIFF8, BIFF5, and a file holding both streams. Run it again
after changing it and commit the results; the intermediate .xlsx files are removed.
"""
import datetime
import os
import subprocess
import sys
import tempfile

import xlsxwriter

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "xls")

# Long enough that the shared-string table needs CONTINUE records, and with a character
# outside Latin-1 after the cut so that the string switches to two-byte characters.
LONG_TEXT = "Inventory note " + "abcdefghij" * 900 + " \u20ac end"


def kinds(path):
    book = xlsxwriter.Workbook(path)
    date = book.add_format({"num_format": "yyyy-mm-dd"})
    stamp = book.add_format({"num_format": "yyyy-mm-dd hh:mm:ss"})
    clock = book.add_format({"num_format": "hh:mm"})
    custom = book.add_format({"num_format": '0.00" days"'})
    sheet = book.add_worksheet("Kinds")
    rows = [
        ("text", "Widget"),
        ("padded", "  padded text  "),
        ("accents", "Caf\u00e9 cr\u00e8me"),
        ("greek", "\u0391\u03b8\u03ae\u03bd\u03b1"),
        ("integer", 42),
        ("negative", -7.25),
        ("large", 1.5e20),
        ("small", 0.00001),
        ("fraction", 0.1 + 0.2),
        ("true", True),
        ("false", False),
    ]
    for row, (label, value) in enumerate(rows):
        sheet.write(row, 0, label)
        sheet.write(row, 1, value)
    row = len(rows)
    sheet.write(row, 0, "date")
    sheet.write_datetime(row, 1, datetime.datetime(2026, 12, 7), date)
    sheet.write(row + 1, 0, "stamp")
    sheet.write_datetime(row + 1, 1, datetime.datetime(2026, 12, 7, 15, 30), stamp)
    sheet.write(row + 2, 0, "clock")
    sheet.write_number(row + 2, 1, 0.25, clock)
    sheet.write(row + 3, 0, "custom")
    sheet.write_number(row + 3, 1, 3, custom)
    sheet.write(row + 4, 0, "sum")
    sheet.write_formula(row + 4, 1, "=B5+8", None, 50)
    sheet.write(row + 5, 0, "joined")
    sheet.write_formula(row + 5, 1, '="ab"&"cd"', None, "abcd")
    sheet.write(row + 6, 0, "compare")
    sheet.write_formula(row + 6, 1, "=1<2", None, True)
    sheet.write(row + 7, 0, "divide")
    sheet.write_formula(row + 7, 1, "=1/0", None, "#DIV/0!")
    sheet.write(row + 8, 0, "missing")
    sheet.write_formula(row + 8, 1, "=NA()", None, "#N/A")
    sheet.write(row + 9, 0, "blank")
    sheet.write_blank(row + 9, 1, None, date)
    sheet.write(row + 10, 0, "long")
    sheet.write(row + 10, 1, LONG_TEXT)
    sheet.write(row + 11, 0, "wide")
    for column in range(2, 12):
        sheet.write_number(row + 11, column, column * 100)

    second = book.add_worksheet("Second sheet")
    second.write("C3", "far corner")
    hidden = book.add_worksheet("Hidden")
    hidden.write("A1", "kept")
    hidden.hide()
    book.close()


def dates1904(path):
    book = xlsxwriter.Workbook(path, {"date_1904": True})
    date = book.add_format({"num_format": "d mmm yyyy"})
    clock = book.add_format({"num_format": "[h]:mm:ss"})
    sheet = book.add_worksheet("Dates")
    sheet.write_datetime("A1", datetime.datetime(2026, 12, 7), date)
    sheet.write_datetime("A2", datetime.datetime(1904, 1, 1), date)
    sheet.write_number("A3", 0.25, clock)
    sheet.write_number("A4", 1.5, clock)
    sheet.write_number("A5", 1.5)
    book.close()


def convert(source, target, exporter):
    subprocess.run(["ssconvert", "--export-type=" + exporter, source, target],
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def main():
    os.makedirs(OUT, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        for name, build in (("kinds", kinds), ("dates1904", dates1904)):
            source = os.path.join(work, name + ".xlsx")
            build(source)
            convert(source, os.path.join(OUT, name + ".xls"), "Gnumeric_Excel:excel_biff8")
            if name == "kinds":
                convert(source, os.path.join(OUT, "kinds_biff5.xls"),
                        "Gnumeric_Excel:excel_biff7")
                convert(source, os.path.join(OUT, "kinds_both_streams.xls"),
                        "Gnumeric_Excel:excel_dsf")
    return 0


if __name__ == "__main__":
    sys.exit(main())
