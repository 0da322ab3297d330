#!/usr/bin/python3
"""Writes the benchmark pair of workbooks: ROWS x COLS of integers, decimals, strings from a
pool with a shared-strings table and dates, the second file with about 1% of the data
changed or emptied, a few values past the last column, and a second small sheet.
The content depends only on ROWS and COLS, so runs are comparable."""

import datetime
import random
import sys

import xlsxwriter


def cell_value(rng, row, col, pool):
    kind = col % 4
    if kind == 0:
        return rng.randint(-1000000, 1000000)
    if kind == 1:
        return round(rng.uniform(-10000, 10000), 4)
    if kind == 2:
        return pool[rng.randrange(len(pool))]
    return datetime.date(2000, 1, 1) + datetime.timedelta(days=rng.randrange(9000))


def write(path, rows, cols, changed):
    rng = random.Random(rows * 100003 + cols)
    pool = ["item %06d %s" % (i, "abcdefghij"[i % 10] * (i % 7 + 1)) for i in range(50000)]
    change_rng = random.Random(7)
    book = xlsxwriter.Workbook(path, {"strings_to_numbers": False})
    date_format = book.add_format({"num_format": "yyyy-mm-dd"})
    sheet = book.add_worksheet("Data")
    for r in range(rows):
        for c in range(cols):
            value = cell_value(rng, r, c, pool)
            if changed and change_rng.random() < 0.01:
                if change_rng.random() < 0.3:
                    continue
                value = "changed %d" % change_rng.randrange(1000)
            if isinstance(value, datetime.date):
                sheet.write_datetime(r, c, datetime.datetime.combine(value, datetime.time()), date_format)
            else:
                sheet.write(r, c, value)
        if changed and r % 5000 == 17:
            sheet.write(r, cols, "extra")
    notes = book.add_worksheet("Notes")
    for r in range(20):
        notes.write(r, 0, "note %d" % r)
        notes.write(r, 1, r * (2 if changed and r == 5 else 1))
    book.close()


if __name__ == "__main__":
    rows, cols, first, second = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3], sys.argv[4]
    write(first, rows, cols, False)
    write(second, rows, cols, True)
