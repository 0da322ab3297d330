#!/usr/bin/python3
"""Lists what a workbook holds besides its cell values, as independent readers see it:
openpyxl for .xlsx and its kin, odfpy for .ods. One tab-separated line each, sorted:

  sheet   NAME  visible|hidden|veryHidden
  note    NAME!A1  AUTHOR  TEXT
  name    SCOPE  NAME  FORMULA
  rows    NAME  FIRST-LAST        (hidden rows)
  columns NAME  FIRST-LAST        (hidden columns)
  merged  NAME  A1:B2
  format  NAME!A1  CODE  BIU  FONT  FILL   (cells whose format is not the default)

Texts escape backslash, tab, line feed and carriage return.

Usage: contents_oracle.py FILE prints the lines of one file; contents_oracle.py --each
FILE... prints, for each file, a line "== FILE" and its lines, or "== FILE" and "!" with
the reason when the reader fails on it: one process for many files, as importing the
readers takes longer than reading a small file."""

import sys

import warnings


def listing(path):
    if path.lower().endswith(".ods"):
        from contents_oracle_ods import ods_lines
        lines = ods_lines(path)
    else:
        from contents_oracle_xlsx import xlsx_lines
        lines = xlsx_lines(path)
    return "".join(line + "\n" for line in sorted(set(lines)))


def main(arguments):
    if arguments[0] != "--each":
        sys.stdout.write(listing(arguments[0]))
        return
    warnings.simplefilter("ignore")
    for path in arguments[1:]:
        try:
            text = listing(path)
        except Exception as error:  # the oracle's failure on one file is reported, not fatal
            text = "!%s\n" % type(error).__name__
        sys.stdout.write("== %s\n%s" % (path, text))


if __name__ == "__main__":
    main(sys.argv[1:])
