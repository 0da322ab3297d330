"""The odfpy side of contents_oracle.py: sheets, notes, names, hidden rows and columns and
merged ranges of an .ods (formats are checked on hand-made styles by the C++ tests)."""

import re

from odf import teletype
from odf.namespaces import DCNS, OFFICENS, STYLENS, TABLENS, TEXTNS
from odf.opendocument import load

from contents_oracle_common import address, escaped, spans

MAX_ROWS, MAX_COLUMNS = 1048576, 16384


def attr(element, namespace, name, default=None):
    value = element.attributes.get((namespace, name))
    return default if value is None else value


def count(element, name):
    try:
        return max(1, int(attr(element, TABLENS, name, "1")))
    except ValueError:
        return 1


def local(element):
    return getattr(element, "qname", None)


def hidden_table_styles(document):
    hidden = set()
    for root in (document.automaticstyles, document.styles):
        for node in root.childNodes:
            if local(node) != (STYLENS, "style") or attr(node, STYLENS, "family") != "table":
                continue
            for child in node.childNodes:
                if (local(child) == (STYLENS, "table-properties") and
                        attr(child, TABLENS, "display") == "false"):
                    hidden.add(attr(node, STYLENS, "name"))
    return hidden


def a1_reference(odf_reference):
    """$'My Sheet'.$A$1:.$B$2 gives 'My Sheet'!$A$1:$B$2; Data.A1 gives Data!A1."""
    parts = []
    sheet = None
    # A reference to deleted cells is written as the error alone, as cells' formulas are.
    if odf_reference.endswith("#REF!"):
        return "#REF!"
    for piece in odf_reference.split(":"):
        match = re.match(r"^\$?(?:'((?:[^']|'')*)'|([^.']*))?\.(.*)$", piece)
        if not match:
            return None
        name = match.group(1).replace("''", "'") if match.group(1) is not None else match.group(2)
        if name and name != sheet:
            sheet = name
            quoted = "'" + name.replace("'", "''") + "'"
            prefix = name if re.match(r"^[A-Za-z_][A-Za-z0-9_.]*$", name) else quoted
            parts.append(prefix + "!" + match.group(3))
        else:
            parts.append(match.group(3))
    return ":".join(parts)


def name_line(node, scope):
    name = attr(node, TABLENS, "name")
    if local(node) == (TABLENS, "named-range"):
        reference = a1_reference(attr(node, TABLENS, "cell-range-address", ""))
        formula = "=" + (reference or "")
    else:
        expression = attr(node, TABLENS, "expression", "")
        expression = re.sub(r"^[a-z]+:", "", expression).lstrip("=")
        formula = "=" + re.sub(r"\[([^\]]*)\]",
                               lambda m: a1_reference(m.group(1)) or m.group(0), expression)
    return "name\t%s\t%s\t%s" % (scope, name, formula)


def walk(element, skip_cells=True):
    """The descendants of a table that are not inside its cells or nested tables."""
    for node in element.childNodes:
        if node.nodeType != node.ELEMENT_NODE:
            continue
        yield node
        if local(node) in ((TABLENS, "table-cell"), (TABLENS, "covered-table-cell"),
                           (TABLENS, "table")):
            continue
        yield from walk(node)


def note_text(annotation):
    author = ""
    paragraphs = []
    for node in annotation.childNodes:
        if node.nodeType != node.ELEMENT_NODE:
            continue
        if local(node) == (DCNS, "creator"):
            author = teletype.extractText(node)
        elif local(node) in ((TEXTNS, "p"), (TEXTNS, "h")):
            paragraphs.append(teletype.extractText(node))
    return author, "\n".join(paragraphs)


def table_lines(table, hidden_styles):
    name = attr(table, TABLENS, "name")
    state = "hidden" if attr(table, TABLENS, "style-name") in hidden_styles else "visible"
    yield "sheet\t%s\t%s" % (name, state)
    column, row = 1, 1
    hidden_columns, hidden_rows = [], []
    for node in walk(table):
        kind = local(node)
        if kind == (TABLENS, "table-column"):
            repeat = count(node, "number-columns-repeated")
            if attr(node, TABLENS, "visibility") in ("collapse", "filter"):
                hidden_columns.extend(range(column, min(column + repeat, MAX_COLUMNS + 1)))
            column += repeat
        elif kind == (TABLENS, "table-row"):
            repeat = count(node, "number-rows-repeated")
            if attr(node, TABLENS, "visibility") in ("collapse", "filter"):
                hidden_rows.append((row, min(row + repeat - 1, MAX_ROWS)))
            yield from row_lines(node, name, row)
            row += repeat
        elif kind in ((TABLENS, "named-range"), (TABLENS, "named-expression")):
            yield name_line(node, name)
    for first, last in spans(hidden_columns):
        yield "columns\t%s\t%d-%d" % (name, first, last)
    joined = []
    for first, last in sorted(hidden_rows):
        if joined and first <= joined[-1][1] + 1:
            joined[-1][1] = max(joined[-1][1], last)
        else:
            joined.append([first, last])
    for first, last in joined:
        yield "rows\t%s\t%d-%d" % (name, first, last)


def row_lines(row_element, name, row):
    column = 1
    for cell in row_element.childNodes:
        if local(cell) not in ((TABLENS, "table-cell"), (TABLENS, "covered-table-cell")):
            continue
        columns = count(cell, "number-columns-spanned")
        rows = count(cell, "number-rows-spanned")
        if columns > 1 or rows > 1:
            yield "merged\t%s\t%s:%s" % (name, address(row, column),
                                         address(row + rows - 1, column + columns - 1))
        for node in cell.childNodes:
            if node.nodeType == node.ELEMENT_NODE and local(node) == (OFFICENS, "annotation"):
                author, text = note_text(node)
                yield "note\t%s!%s\t%s\t%s" % (name, address(row, column), escaped(author),
                                               escaped(text))
        column += count(cell, "number-columns-repeated")


def ods_lines(path):
    document = load(path)
    hidden_styles = hidden_table_styles(document)
    lines = []
    spreadsheet = [node for node in document.body.childNodes
                   if local(node) == (OFFICENS, "spreadsheet")][0]
    for node in spreadsheet.childNodes:
        if local(node) == (TABLENS, "table"):
            lines.extend(table_lines(node, hidden_styles))
        elif local(node) == (TABLENS, "named-expressions"):
            for named in node.childNodes:
                if local(named) in ((TABLENS, "named-range"), (TABLENS, "named-expression")):
                    lines.append(name_line(named, ""))
    return lines
