#!/usr/bin/python3
"""Writes the .xlsx workbooks that the cross-format test converts to .xls and .ods.

Run with /usr/bin/python3 (python3-xlsxwriter) from any folder; the files land beside
this script. Each workbook holds values whose texts must not change with the format.
"""
import datetime
import os

import xlsxwriter

HERE = os.path.dirname(os.path.abspath(__file__))


def workbook(name):
    return xlsxwriter.Workbook(os.path.join(HERE, name), {"strings_to_numbers": False})


def numbers_and_text():
    book = workbook("numbers_and_text.xlsx")
    sheet = book.add_worksheet("Values")
    rows = [
        ("integer", 42),
        ("negative", -2.5),
        ("fraction", 0.1 + 0.2),
        ("small", 0.00001),
        ("tiny", 1.5e-07),
        ("large", 123456789012345678),
        ("huge", 1e20),
        ("fifteen digits", 123456789012345),
        ("percent", 0.125),
        ("zero", 0),
    ]
    for row, (label, value) in enumerate(rows):
        sheet.write_string(row, 0, label)
        sheet.write_number(row, 1, value)
    sheet.write_string(0, 3, "plain text")
    sheet.write_string(1, 3, "Mixed Case und Ümlaute – ✓")
    sheet.write_string(2, 3, "  padded both sides  ")
    sheet.write_string(3, 3, "two\nlines")
    sheet.write_string(4, 3, "inner  double  spaces")
    sheet.write_string(5, 3, "back\\slash")
    sheet.write_boolean(6, 3, True)
    sheet.write_boolean(7, 3, False)
    sheet.write_string(9, 5, "far corner")
    book.close()


def dates_and_times():
    book = workbook("dates_and_times.xlsx")
    sheet = book.add_worksheet("Dates")
    date_format = book.add_format({"num_format": "yyyy-mm-dd"})
    stamp_format = book.add_format({"num_format": "yyyy-mm-dd hh:mm:ss"})
    time_format = book.add_format({"num_format": "hh:mm:ss"})
    sheet.write_datetime(0, 0, datetime.datetime(2026, 12, 7), date_format)
    sheet.write_datetime(1, 0, datetime.datetime(2026, 12, 7, 15, 30, 0), stamp_format)
    sheet.write_datetime(2, 0, datetime.datetime(1900, 3, 1), date_format)
    sheet.write_datetime(3, 0, datetime.datetime(1999, 12, 31, 23, 59, 59), stamp_format)
    sheet.write_number(4, 0, 0.75, time_format)
    sheet.write_number(5, 0, 0.25, time_format)
    sheet.write_number(6, 0, 45000, date_format)
    sheet.write_number(7, 0, 45000.5)
    book.close()


def several_sheets():
    book = workbook("several_sheets.xlsx")
    first = book.add_worksheet("First")
    book.add_worksheet("Empty")
    third = book.add_worksheet("Third sheet")
    for row in range(30):
        for col in range(6):
            if (row * 7 + col) % 3 == 0:
                first.write_number(row, col, row * 100 + col)
            elif (row + col) % 5 == 0:
                first.write_string(row, col, "r%dc%d" % (row + 1, col + 1))
    third.write_string(0, 0, "only cell")
    third.write_string(199, 27, "AB200")
    book.close()


# Error values are left out: the .ods that ssconvert writes stores them as plain strings
# without the error marker, so their texts differ by design.
def formulas():
    book = workbook("formulas.xlsx")
    sheet = book.add_worksheet("Cached")
    sheet.write_formula(2, 0, "=2+3", None, 5)
    sheet.write_formula(3, 0, "=\"a\"&\"b\"", None, "ab")
    sheet.write_formula(4, 0, "=1=1", None, True)
    elapsed = book.add_format({"num_format": "[h]:mm:ss"})
    sheet.write_number(5, 0, 1.5, elapsed)
    hidden = book.add_worksheet("Hidden")
    hidden.write_string(0, 0, "hidden sheets count too")
    hidden.hide()
    book.close()


if __name__ == "__main__":
    formulas()
    numbers_and_text()
    dates_and_times()
    several_sheets()
