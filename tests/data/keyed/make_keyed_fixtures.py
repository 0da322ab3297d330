#!/usr/bin/python3
"""Writes keyed1.xlsx and keyed2.xlsx, the workbook pair of the command-line tests of the
range, row-keyed and column-keyed comparisons.

Run with /usr/bin/python3 (python3-xlsxwriter installed); the results are committed.

Sheets, in tab order:
  Summary  a few cells; the whole-workbook comparison finds one difference here
  Stock    a table keyed by column A (id); in keyed2 row 3's id is 9 instead of 2,
           C2, B4 and D3/D4 differ outside the key
  Across   a table whose records run across the columns, keyed by row 1; in keyed2
           C1 is k9, C2 Ink, B3 4 and C3 empty
"""

import os

import xlsxwriter

HERE = os.path.dirname(os.path.abspath(__file__))

SUMMARY = {
    1: [["title", "stock"], ["version", "1"]],
    2: [["title", "stock"], ["version", "2"]],
}
STOCK = {
    1: [["id", "name", "qty", "note"], [1, "pen", 3, "x"], [2, "ink", 5, "y"], [3, "cap", 7, None]],
    2: [["id", "name", "qty", "note"], [1, "pen", 4, "x"], [9, "ink", 5, "z"], [3, "Cap", 7, "w"]],
}
ACROSS = {
    1: [["key", "k1", "k2"], ["name", "pen", "ink"], ["qty", 3, 5]],
    2: [["key", "k1", "k9"], ["name", "pen", "Ink"], ["qty", 4, None]],
}


def write_sheet(book, name, rows):
    sheet = book.add_worksheet(name)
    for r, row in enumerate(rows):
        for c, value in enumerate(row):
            if value is not None:
                sheet.write(r, c, value)


def main():
    for n in (1, 2):
        book = xlsxwriter.Workbook(os.path.join(HERE, "keyed%d.xlsx" % n))
        write_sheet(book, "Summary", SUMMARY[n])
        write_sheet(book, "Stock", STOCK[n])
        write_sheet(book, "Across", ACROSS[n])
        book.close()


if __name__ == "__main__":
    main()
