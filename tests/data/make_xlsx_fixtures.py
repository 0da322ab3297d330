#!/usr/bin/python3
"""Writes the .xlsx fixtures of the reader tests into tests/data/xlsx/.

Run with /usr/bin/python3 (python3-openpyxl and python3-xlsxwriter installed); the
resulting files are committed, so the tests need no Python. Most fixtures are written
part by part with zipfile, to hold exactly the XML a case needs."""

import datetime
import os
import zipfile

import openpyxl
import xlsxwriter

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "xlsx")

MAIN_NS = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
REL_NS = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
PKG_REL_NS = "http://schemas.openxmlformats.org/package/2006/relationships"
STRICT_REL_NS = "http://purl.oclc.org/ooxml/officeDocument/relationships"
MACRO_REL_NS = "http://schemas.microsoft.com/office/2006/relationships"
XML_HEAD = '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'


def out(name):
    return os.path.join(HERE, name)


def content_types(workbook_part="/xl/workbook.xml"):
    return XML_HEAD + (
        '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
        '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
        '<Default Extension="xml" ContentType="application/xml"/>'
        '<Override PartName="%s" ContentType="application/'
        'vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/></Types>') % workbook_part


def write_zip(name, parts):
    """Writes the parts (name -> text or bytes) as a zip package, in the given order; a
    package without content types gets them for a workbook part in the usual place."""
    if "[Content_Types].xml" not in parts:
        parts = dict([("[Content_Types].xml", content_types())] + list(parts.items()))
    with zipfile.ZipFile(out(name), "w", zipfile.ZIP_DEFLATED) as package:
        for part, content in parts.items():
            info = zipfile.ZipInfo(part, date_time=(2026, 1, 1, 0, 0, 0))
            info.compress_type = zipfile.ZIP_DEFLATED
            package.writestr(info, content)


def relationships(rels):
    """rels: (id, type, target) or (id, type, target, mode)."""
    body = "".join(
        '<Relationship Id="%s" Type="%s" Target="%s"%s/>'
        % (r[0], r[1], r[2], ' TargetMode="%s"' % r[3] if len(r) > 3 else "")
        for r in rels)
    return XML_HEAD + '<Relationships xmlns="%s">%s</Relationships>' % (PKG_REL_NS, body)


def office_document(target="xl/workbook.xml", ns=REL_NS):
    return relationships([("rId1", ns + "/officeDocument", target)])


def workbook_xml(sheets, date1904=False):
    """sheets: (name, rId) or (name, rId, state)."""
    body = "".join(
        '<sheet name="%s" sheetId="%d" r:id="%s"%s/>'
        % (s[0], i + 1, s[1], ' state="%s"' % s[2] if len(s) > 2 else "")
        for i, s in enumerate(sheets))
    pr = '<workbookPr date1904="1"/>' if date1904 else "<workbookPr/>"
    return XML_HEAD + '<workbook xmlns="%s" xmlns:r="%s">%s<sheets>%s</sheets></workbook>' % (
        MAIN_NS, REL_NS, pr, body)


def worksheet_xml(rows, before=""):
    return XML_HEAD + '<worksheet xmlns="%s" xmlns:r="%s">%s<sheetData>%s</sheetData></worksheet>' % (
        MAIN_NS, REL_NS, before, rows)


def shared_strings_xml(items, count=None):
    declared = count if count is not None else len(items)
    return XML_HEAD + '<sst xmlns="%s" count="%d" uniqueCount="%d">%s</sst>' % (
        MAIN_NS, declared, declared, "".join("<si>%s</si>" % i for i in items))


def styles_xml(num_fmts, cell_fmt_ids, extra=""):
    fmts = "".join('<numFmt numFmtId="%d" formatCode="%s"/>' % f for f in num_fmts)
    xfs = "".join('<xf numFmtId="%d" fontId="0" fillId="0" borderId="0" xfId="0"/>' % i
                  for i in cell_fmt_ids)
    return XML_HEAD + (
        '<styleSheet xmlns="%s"><numFmts count="%d">%s</numFmts>'
        '<cellStyleXfs count="1"><xf numFmtId="22"/></cellStyleXfs>'
        '<cellXfs count="%d">%s</cellXfs>%s</styleSheet>') % (
            MAIN_NS, len(num_fmts), fmts, len(cell_fmt_ids), xfs, extra)


def simple_package(name, sheet_rows, shared=None, styles=None, date1904=False, extra_parts=None):
    """One worksheet "Sheet1" in the usual places."""
    rels = [("rId1", REL_NS + "/worksheet", "worksheets/sheet1.xml")]
    parts = {
        "_rels/.rels": office_document(),
        "xl/workbook.xml": workbook_xml([("Sheet1", "rId1")], date1904),
        "xl/worksheets/sheet1.xml": worksheet_xml(sheet_rows),
    }
    if shared is not None:
        rels.append(("rId2", REL_NS + "/sharedStrings", "sharedStrings.xml"))
        parts["xl/sharedStrings.xml"] = shared
    if styles is not None:
        rels.append(("rId3", REL_NS + "/styles", "styles.xml"))
        parts["xl/styles.xml"] = styles
    parts["xl/_rels/workbook.xml.rels"] = relationships(rels)
    parts.update(extra_parts or {})
    write_zip(name, parts)


def make_package_paths():
    """A workbook part away from xl/, targets relative, absolute and with "..", names in
    another case, and sheets that are no worksheets between the worksheets."""
    rels = [
        ("rId1", REL_NS + "/worksheet", "sheets/First.XML"),
        ("rId2", REL_NS + "/chartsheet", "charts/chart1.xml"),
        ("rId3", REL_NS + "/worksheet", "/book/sheets/second.xml"),
        ("rId4", REL_NS + "/dialogsheet", "sheets/dialog.xml"),
        ("rId5", MACRO_REL_NS + "/xlMacrosheet", "sheets/macro.xml"),
        ("rId6", REL_NS + "/worksheet", "../book/./x/../../other/third.xml"),
        ("rId7", REL_NS + "/sharedStrings", "../strings/shared.xml"),
        ("rId8", REL_NS + "/worksheet", "sheets/hidden.xml"),
        ("rId9", REL_NS + "/hyperlink", "http://example.invalid/", "External"),
    ]
    cell = lambda ref, i: '<c r="%s" t="s"><v>%d</v></c>' % (ref, i)
    write_zip("package_paths.xlsx", {
        "[Content_Types].xml": content_types("/book/wb.xml"),
        "_rels/.rels": relationships([
            ("rId2", "http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties", "docProps/core.xml"),
            ("rId1", REL_NS + "/officeDocument", "/book/wb.xml")]),
        "book/wb.xml": workbook_xml([("First", "rId1"), ("Chart", "rId2"), ("Second", "rId3"),
                                     ("Dialog", "rId4"), ("Macro", "rId5"), ("Third", "rId6"),
                                     ("Hidden", "rId8", "hidden")]),
        "book/_rels/wb.xml.rels": relationships(rels),
        "book/sheets/first.xml": worksheet_xml('<row r="1">%s</row>' % cell("A1", 0)),
        "book/sheets/second.xml": worksheet_xml('<row r="2">%s</row>' % cell("B2", 1)),
        "other/third.xml": worksheet_xml('<row r="3">%s</row>' % cell("C3", 2)),
        "book/sheets/hidden.xml": worksheet_xml('<row r="1">%s</row>' % cell("A1", 3)),
        "book/sheets/dialog.xml": worksheet_xml('<row r="1">%s</row>' % cell("A1", 3)),
        "book/sheets/macro.xml": worksheet_xml('<row r="1">%s</row>' % cell("A1", 3)),
        "book/charts/chart1.xml": XML_HEAD + "<chartsheet/>",
        "strings/shared.xml": shared_strings_xml(
            ["<t>first</t>", "<t>second</t>", "<t>third</t>", "<t>hidden</t>"]),
    })


def make_strict_namespaces():
    """The strict relationship namespace and prefixed element names."""
    rows = ('<x:row r="1"><x:c r="A1" t="s"><x:v>0</x:v></x:c>'
            '<x:c r="B1"><x:v>2.5</x:v></x:c></x:row>')
    write_zip("strict_prefixed.xlsx", {
        "_rels/.rels": office_document(ns=STRICT_REL_NS),
        "xl/workbook.xml": XML_HEAD + (
            '<x:workbook xmlns:x="%s" xmlns:r="%s"><x:sheets>'
            '<x:sheet name="Strict" sheetId="1" r:id="rId1"/></x:sheets></x:workbook>')
        % (MAIN_NS, REL_NS),
        "xl/_rels/workbook.xml.rels": relationships([
            ("rId1", STRICT_REL_NS + "/worksheet", "worksheets/sheet1.xml"),
            ("rId2", STRICT_REL_NS + "/sharedStrings", "sharedStrings.xml")]),
        "xl/worksheets/sheet1.xml": XML_HEAD + (
            '<x:worksheet xmlns:x="%s"><x:sheetData>%s</x:sheetData></x:worksheet>') % (MAIN_NS, rows),
        "xl/sharedStrings.xml": XML_HEAD + (
            '<x:sst xmlns:x="%s"><x:si><x:t>prefixed</x:t></x:si></x:sst>') % MAIN_NS,
    })


def make_texts():
    shared = shared_strings_xml([
        "<t>plain</t>",
        '<r><rPr><b/></rPr><t>rich </t></r><r><t xml:space="preserve">runs</t></r>'
        '<rPh sb="0" eb="1"><t>PHONETIC</t></rPh><phoneticPr fontId="1"/>',
        "<t>line_x000D_\nbreak</t>",
        "<t>kept_x005F_x000D_literal</t>",
        "<t>\ttab and newline\n</t>",
        "<t>   spaces around   </t>",
        "<t></t>",
        "<t>_xD83D__xDE00_ pair, _x00e9_ lower, _xZZZZ_ invalid</t>",
        "<t>   </t>",
        "<t>&lt;&amp;&gt; &#233;t&#xE9;</t>",
    ], count=3)  # the declared counts lie on purpose
    rows = "".join([
        '<row r="1">',
        '<c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c><c r="C1" t="s"><v>2</v></c>',
        '<c r="D1" t="s"><v>3</v></c><c r="E1" t="s"><v>4</v></c><c r="F1" t="s"><v>5</v></c>',
        '<c r="G1" t="s"><v>6</v></c><c r="H1" t="s"><v>7</v></c><c r="I1" t="s"><v>8</v></c>',
        '<c r="J1" t="s"><v>9</v></c><c r="K1" t="s"><v/></c>',
        '</row><row r="2">',
        '<c r="A2" t="inlineStr"><v>ignored value</v><is><t>inline wins</t></is></c>',
        '<c r="B2" t="inlineStr"><is>\n  <r><t>in</t></r>\n  <r><t xml:space="preserve">line </t></r>'
        '<r><t>runs</t></r><rPh><t>NO</t></rPh></is></c>',
        '<c r="C2" t="inlineStr"><is><t>cr_x000D_</t></is></c>',
        '<c r="D2" t="str"><f>"a"&amp;"b"</f><v>ab_x000A_</v></c>',
        '<c r="E2"><f>1+1</f></c>',
        '<c r="F2" t="str"><f>""</f><v></v></c>',
        '<c r="G2" t="inlineStr"><v>value only</v></c>',
        '</row><row r="3">',
        '<c r="A3" t="b"><v>1</v></c><c r="B3" t="b"><v>0</v></c>',
        '<c r="C3" t="e"><v>#DIV/0!</v></c><c r="D3" t="e"><v>#N/A</v></c>',
        '<c r="E3" t="e"><f>X()</f><v>#WHAT?</v></c><c r="F3" t="e"><v>#SPILL!</v></c>',
        '<c r="G3" t="n"><v>not a number</v></c>',
        '</row>',
    ])
    simple_package("texts.xlsx", rows, shared=shared)


def make_numbers_and_dates():
    styles = styles_xml(
        [(164, "yyyy\\-mm\\-dd"), (165, '0.0 &quot;days&quot;'), (15, "0.00"),
         (166, "[h]:mm"), (167, "[Red][&lt;0]0;0"), (168, '[$-409]d\\ mmm')],
        [0, 14, 164, 165, 15, 22, 166, 167, 49, 46, 168, 170],
        extra='<dxfs count="1"><dxf><numFmt numFmtId="170" formatCode="yyyy"/></dxf></dxfs>')
    cells = [
        ("A1", None, "0.30000000000000004"), ("B1", None, "1E+20"),
        ("C1", None, "123456789012345678"), ("D1", None, "-0"),
        ("E1", None, "0.000001"), ("F1", None, " 42 "), ("G1", 0, "1.5"),
        ("A2", 1, "45633"), ("B2", 2, "45633.646527777775"), ("C2", 3, "45633"),
        ("D2", 4, "45633"), ("E2", 5, "0.25"), ("F2", 6, "1.5"), ("G2", 7, "45633"),
        ("H2", 8, "45633"), ("I2", 9, "0.5"), ("J2", 10, "45633"), ("K2", 11, "45633"),
        ("L2", 99, "45633"),
        ("A3", 1, "1"), ("B3", 1, "59"), ("C3", 1, "60"), ("D3", 1, "61"),
        ("E3", 1, "-1"), ("F3", 1, "3000000"), ("G3", 5, "0.999999"),
    ]
    rows = {}
    for ref, style, value in cells:
        s = ' s="%d"' % style if style is not None else ""
        rows.setdefault(ref[1:], []).append('<c r="%s"%s><v>%s</v></c>' % (ref, s, value))
    dates = [("A4", "2026-12-07"), ("B4", "2026-12-07T15:30:00"), ("C4", "1899-12-30T06:00:00"),
             ("D4", "10:10:10"), ("E4", "not a date"), ("F4", "1899-12-29T12:00:00"),
             ("G4", "2026-02-31")]
    rows["4"] = ['<c r="%s" t="d" s="1"><v>%s</v></c>' % d for d in dates]
    body = "".join('<row r="%s">%s</row>' % (r, "".join(c)) for r, c in sorted(rows.items()))
    # The column's style is a date style; cells without s still have style 0.
    simple_package("numbers_dates.xlsx", body, styles=styles)
    simple_package("date1904.xlsx", "".join([
        '<row r="1">',
        '<c r="A1" s="1"><v>0</v></c><c r="B1" s="1"><v>0.25</v></c>',
        '<c r="C1" s="1"><v>1</v></c><c r="D1" s="1"><v>45633.5</v></c>',
        '<c r="E1"><v>45633.5</v></c>',
        '</row>']), styles=styles_xml([], [0, 14]), date1904=True)


def make_positions():
    """Cells and rows without references, cells out of order, one written twice."""
    rows = "".join([
        '<row><c><v>1</v></c><c><v>2</v></c><c r="E1"><v>5</v></c><c><v>6</v></c></row>',
        '<row><c><v>7</v></c></row>',
        '<row r="5"><c r="c5"><v>8</v></c><c><v>9</v></c></row>',
        '<row r="4"><c r="A4"><v>10</v></c><c r="A4"><v>11</v></c></row>',
        '<row r="1048576"><c r="XFD1048576"><v>12</v></c></row>',
    ])
    write_zip("positions.xlsx", {
        "_rels/.rels": office_document(),
        "xl/workbook.xml": workbook_xml([("Positions", "rId1")]),
        "xl/_rels/workbook.xml.rels": relationships(
            [("rId1", REL_NS + "/worksheet", "worksheets/sheet1.xml")]),
        "xl/worksheets/sheet1.xml": worksheet_xml(
            rows, before='<dimension ref="A1:B2"/><cols><col min="1" max="3" style="1"/></cols>'),
    })


def make_damaged():
    simple_package("bad_shared_index.xlsx", '<row r="1"><c r="A1" t="s"><v>2</v></c></row>',
                   shared=shared_strings_xml(["<t>a</t>", "<t>b</t>"], count=100))
    simple_package("row_too_far.xlsx", '<row r="1048577"><c r="A1048577"><v>1</v></c></row>')
    simple_package("column_too_far.xlsx", '<row r="1"><c r="XFE1"><v>1</v></c></row>')
    simple_package("column_overflow.xlsx",
                   '<row r="1"><c r="A1"><v>1</v></c><c r="ZZZZZZZZZZZZZZZZZZZZ1"><v>2</v></c></row>')
    simple_package("malformed_reference.xlsx", '<row r="1"><c r="1A"><v>1</v></c></row>')
    simple_package("malformed_xml.xlsx", '<row r="1"><c r="A1"><v>1</v></row>')
    simple_package("entities.xlsx", "", extra_parts={
        "xl/worksheets/sheet1.xml": XML_HEAD + '<!DOCTYPE x [<!ENTITY a "aaaaaaaaaa">'
        '<!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;">]>'
        '<worksheet xmlns="%s"><sheetData><row r="1"><c r="A1" t="inlineStr"><is><t>&b;</t>'
        '</is></c></row></sheetData></worksheet>' % MAIN_NS})
    write_zip("missing_worksheet.xlsx", {
        "_rels/.rels": office_document(),
        "xl/workbook.xml": workbook_xml([("Gone", "rId1")]),
        "xl/_rels/workbook.xml.rels": relationships(
            [("rId1", REL_NS + "/worksheet", "worksheets/sheet1.xml")]),
    })
    write_zip("unknown_relationship.xlsx", {
        "_rels/.rels": office_document(),
        "xl/workbook.xml": workbook_xml([("Lost", "rId7")]),
        "xl/_rels/workbook.xml.rels": relationships([]),
    })
    write_zip("no_workbook.xlsx", {
        "_rels/.rels": relationships([]),
        "xl/workbook.xml": workbook_xml([]),
    })
    with open(out("not_a_zip.xlsx"), "w") as f:
        f.write("this is no zip package\n")


def make_beyond_plain_xml():
    """Two sheets whose XML leaves its plain form part way: a comment and a processing
    instruction after the first cells of the second sheet, a CDATA section in a shared
    string. A reader must give the cells of the plain form, each once."""
    first = '<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1"><v>1</v></c></row>'
    second = ('<row r="1"><c r="A1"><v>10</v></c><c r="B1" t="s"><v>1</v></c></row>'
              '<!-- written by hand --><?tool note?>'
              '<row r="2"><c r="A2"><v>20</v></c><c r="B2" t="inlineStr"><is><t>x&amp;y</t></is></c></row>')
    shared = shared_strings_xml(["<t>plain</t>", "<t><![CDATA[a<b]]></t>"])
    write_zip("beyond_plain_xml.xlsx", {
        "_rels/.rels": office_document(),
        "xl/workbook.xml": workbook_xml([("First", "rId1"), ("Second", "rId2")]),
        "xl/_rels/workbook.xml.rels": relationships([
            ("rId1", REL_NS + "/worksheet", "worksheets/sheet1.xml"),
            ("rId2", REL_NS + "/worksheet", "worksheets/sheet2.xml"),
            ("rId3", REL_NS + "/sharedStrings", "sharedStrings.xml")]),
        "xl/worksheets/sheet1.xml": worksheet_xml(first),
        "xl/worksheets/sheet2.xml": worksheet_xml(second),
        "xl/sharedStrings.xml": shared,
    })


def make_many_cells():
    """Enough cells that parts span many inflated chunks: in row r and column c a number
    r * c + 0.5 where c is odd, else the shared string "text <(r * c) % 257>"."""
    strings = ["<t>text %d</t>" % i for i in range(257)]
    rows = []
    for r in range(1, 2501):
        cells = []
        for c in range(1, 7):
            ref = "%s%d" % ("ABCDEF"[c - 1], r)
            if c % 2:
                cells.append('<c r="%s"><v>%s</v></c>' % (ref, repr(r * c + 0.5)))
            else:
                cells.append('<c r="%s" t="s"><v>%d</v></c>' % (ref, (r * c) % 257))
        rows.append('<row r="%d">%s</row>' % (r, "".join(cells)))
    simple_package("many_cells.xlsx", "\n".join(rows), shared=shared_strings_xml(strings))


def make_with_writers():
    """Workbooks as two real writers lay them out."""
    book = xlsxwriter.Workbook(out("writer_values.xlsx"))
    book.set_properties({"created": datetime.datetime(2026, 1, 1)})
    sheet = book.add_worksheet("Values")
    sheet.write_number("A1", 0.1 + 0.2)
    sheet.write_string("B1", "  padded  ")
    sheet.write_boolean("C1", True)
    sheet.write_datetime("D1", datetime.datetime(2026, 12, 7, 15, 30),
                         book.add_format({"num_format": "yyyy-mm-dd hh:mm"}))
    sheet.write_number("E1", 45633, book.add_format({"num_format": 14}))
    sheet.write_formula("F1", "=A1*2", None, 0.6)
    sheet.write_rich_string("A2", "bold ", book.add_format({"bold": True}), "part", " plain")
    sheet.write_string("B2", "plain")
    sheet.write_string("C2", "plain")
    chart = book.add_chart({"type": "line"})
    chart.add_series({"values": "=Values!$A$1:$A$2"})
    book.add_chartsheet("Chart").set_chart(chart)
    book.add_worksheet("Hidden").write("A1", "hidden")
    book.get_worksheet_by_name("Hidden").hide()
    book.close()

    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = "Formulas"
    sheet["A1"] = 2
    sheet["B1"] = "=A1*3"
    sheet["C1"] = "text"
    sheet["A2"] = datetime.date(2026, 12, 7)
    hidden = book.create_sheet("VeryHidden")
    hidden.sheet_state = "veryHidden"
    hidden["B2"] = "deep"
    book.save(out("writer_formulas.xlsx"))


if __name__ == "__main__":
    os.makedirs(HERE, exist_ok=True)
    make_package_paths()
    make_strict_namespaces()
    make_texts()
    make_numbers_and_dates()
    make_positions()
    make_damaged()
    make_beyond_plain_xml()
    make_many_cells()
    make_with_writers()
