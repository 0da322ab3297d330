#!/usr/bin/python3
"""Writes small workbooks that each hold one very long XML token, to time how the readers
cope with them: an .ods whose one cell has a table:formula attribute of TERMS terms
(default 8,000,000, a package of some 70 KB), and an .xlsx whose one cell carries an
attribute of SIZE bytes (default 32 MiB, a package of some 32 KB). Written with the
standard library alone.

    make_long_tokens.py [--terms TERMS] [--size SIZE] FILE.ods FILE.xlsx
"""

import argparse
import zipfile

ODS_MANIFEST = """<?xml version="1.0" encoding="UTF-8"?>
<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0" \
manifest:version="1.2">\
<manifest:file-entry manifest:full-path="/" \
manifest:media-type="application/vnd.oasis.opendocument.spreadsheet"/>\
<manifest:file-entry manifest:full-path="content.xml" manifest:media-type="text/xml"/>\
</manifest:manifest>"""

ODS_CONTENT_START = """<?xml version="1.0" encoding="UTF-8"?>
<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" \
xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" \
xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" \
xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2" office:version="1.2">\
<office:body><office:spreadsheet><table:table table:name="Long">\
<table:table-row><table:table-cell office:value-type="float" office:value="1">\
<text:p>1</text:p></table:table-cell>\
<table:table-cell office:value-type="float" office:value="2" table:formula="of:="""

ODS_CONTENT_END = """"><text:p>2</text:p></table:table-cell></table:table-row>\
</table:table></office:spreadsheet></office:body></office:document-content>"""

XLSX_CONTENT_TYPES = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">\
<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>\
<Default Extension="xml" ContentType="application/xml"/>\
<Override PartName="/xl/workbook.xml" \
ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>\
<Override PartName="/xl/worksheets/sheet1.xml" \
ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>\
</Types>"""

XLSX_PACKAGE_RELS = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">\
<Relationship Id="rId1" \
Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" \
Target="xl/workbook.xml"/></Relationships>"""

XLSX_WORKBOOK = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" \
xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets>\
<sheet name="Long" sheetId="1" r:id="rId1"/></sheets></workbook>"""

XLSX_WORKBOOK_RELS = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">\
<Relationship Id="rId1" \
Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" \
Target="worksheets/sheet1.xml"/></Relationships>"""

XLSX_SHEET_START = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>\
<row r="1"><c r="A1"><v>1</v></c><c r="B1" long=\""""

XLSX_SHEET_END = """"><v>2</v></c></row></sheetData></worksheet>"""


def write_member(package, name, pieces):
    """Writes a member of the package from an iterable of texts, streaming."""
    info = zipfile.ZipInfo(name, date_time=(2024, 1, 1, 0, 0, 0))
    info.compress_type = zipfile.ZIP_DEFLATED
    with package.open(info, "w") as member:
        for piece in pieces:
            member.write(piece.encode("utf-8"))


def repeated(unit, count, block=100000):
    """count copies of unit, in blocks."""
    while count > 0:
        n = min(block, count)
        yield unit * n
        count -= n


def write_ods(path, terms):
    with zipfile.ZipFile(path, "w", compresslevel=9) as package:
        info = zipfile.ZipInfo("mimetype", date_time=(2024, 1, 1, 0, 0, 0))
        package.writestr(info, "application/vnd.oasis.opendocument.spreadsheet")
        write_member(package, "META-INF/manifest.xml", [ODS_MANIFEST])
        formula = ["[.A1]"] + list(repeated("+[.A1]", terms - 1))
        write_member(package, "content.xml", [ODS_CONTENT_START] + formula + [ODS_CONTENT_END])


def write_xlsx(path, size):
    with zipfile.ZipFile(path, "w", compresslevel=9) as package:
        write_member(package, "[Content_Types].xml", [XLSX_CONTENT_TYPES])
        write_member(package, "_rels/.rels", [XLSX_PACKAGE_RELS])
        write_member(package, "xl/workbook.xml", [XLSX_WORKBOOK])
        write_member(package, "xl/_rels/workbook.xml.rels", [XLSX_WORKBOOK_RELS])
        write_member(package, "xl/worksheets/sheet1.xml",
                     [XLSX_SHEET_START] + list(repeated("x", size, 1 << 20)) + [XLSX_SHEET_END])


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--terms", type=int, default=8000000)
    parser.add_argument("--size", type=int, default=32 << 20)
    parser.add_argument("ods")
    parser.add_argument("xlsx")
    arguments = parser.parse_args()
    write_ods(arguments.ods, arguments.terms)
    write_xlsx(arguments.xlsx, arguments.size)


if __name__ == "__main__":
    main()
