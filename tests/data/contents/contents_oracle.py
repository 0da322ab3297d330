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

Texts escape backslash, tab, line feed and carriage return. Usage: contents_oracle.py FILE."""

import sys



def main(path):
    if path.lower().endswith(".ods"):
        from contents_oracle_ods import ods_lines
        lines = ods_lines(path)
    else:
        from contents_oracle_xlsx import xlsx_lines
        lines = xlsx_lines(path)
    for line in sorted(set(lines)):
        print(line)


if __name__ == "__main__":
    main(sys.argv[1])
