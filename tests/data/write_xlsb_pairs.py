#!/usr/bin/python3
"""Writes pairs of .xlsb workbooks, record by record as make_xlsb_fixtures.py does, whose
cell values are the same and which differ in one property besides them: KIND-1.xlsb and
KIND-2.xlsb for each kind below, named as write_contents_pairs.py names its .xlsx pairs.

Usage: write_xlsb_pairs.py FOLDER"""

import os
import struct
import sys

from make_xlsb_fixtures import (cell, contents_comments, contents_styles, defined_name,
                                hidden_row, package, record, rk_int, row, worksheet)

# Cell formats of contents_styles(): 1 bold, 3 red font, 4 filled, 6 number format #,##0.00.
STYLES = {"bold": 1, "font-colour": 3, "fill": 4, "number-format": 6}


def data_sheet(kind, second):
    """Six rows of numbers; the changed property, on the second side, is on A4 or nearby."""
    changed = kind if second else ""
    rows = b""
    for number in range(6):
        head = hidden_row(number) if changed == "hidden-row" and number == 2 else row(number)
        style = STYLES.get(changed, 0) if number == 3 else 0
        rows += head + cell(2, 0, style, rk_int(number))
    columns = b""
    if changed == "hidden-column":
        columns = record(386) + record(60, struct.pack("<IIIIH", 1, 1, 2560, 0, 1)) + record(387)
    merged = b""
    if changed == "merged":
        merged = (record(177, struct.pack("<I", 1)) + record(176, struct.pack("<IIII", 1, 2, 3, 4))
                  + record(178))
    return worksheet(rows, before=columns, after=merged)


def write(path, kind, second):
    externals = (record(353) + record(357) + record(362, struct.pack("<IIii", 1, 0, 0, 0))
                 + record(354))
    last_row = 5 if kind == "name" and second else 4
    items = struct.pack("<BHIIHH", 0x3B, 0, 0, last_row, 0, 0)
    hidden = kind == "hidden-sheet" and second
    note = "checked" if kind == "note" and second else "to be checked"
    package(path, [("Data", data_sheet(kind, second)), ("Other", row(0) + cell(2, 0, 0, rk_int(1)))],
            ["unused"], states=[0, 1 if hidden else 0],
            defined=externals + defined_name("Items", 0xFFFFFFFF, items),
            styles_part=contents_styles(), comments=contents_comments(note))


KINDS = ["note", "name", "hidden-sheet", "hidden-row", "hidden-column", "merged",
         "number-format", "bold", "font-colour", "fill"]

if __name__ == "__main__":
    for kind in KINDS:
        for side in (1, 2):
            write(os.path.join(sys.argv[1], "%s-%d.xlsb" % (kind, side)), kind, side == 2)
