"""The openpyxl side of contents_oracle.py."""

import copy

import openpyxl
from openpyxl.cell.cell import Cell
from openpyxl.styles.colors import COLOR_INDEX

from contents_oracle_common import address, escaped, spans

# openpyxl's code for built-in format 44 lacks two of its section separators.
FIXED_CODES = {
    '_("$"* #,##0.00_)_("$"* \\(#,##0.00\\)_("$"* "-"??_)_(@_)':
        '_("$"* #,##0.00_);_("$"* \\(#,##0.00\\);_("$"* "-"??_);_(@_)',
}


def colour(value):
    if value is None:
        return ""
    if value.type == "rgb":
        rgb = value.rgb
        return rgb[-6:].upper() if isinstance(rgb, str) and len(rgb) in (6, 8) else ""
    if value.type == "theme":
        text = "theme %d" % value.theme
        return text + (" tint %r" % value.tint if value.tint else "")
    if value.type == "indexed":
        return COLOR_INDEX[value.indexed][-6:] if value.indexed < 64 else ""
    return ""


def format_of(cell):
    font, fill = cell.font, cell.fill
    pattern = getattr(fill, "patternType", None)
    code = FIXED_CODES.get(cell.number_format, cell.number_format)
    emphasis = "".join("1" if flag else "0" for flag in
                       (font.b, font.i, font.u not in (None, "none")))
    fill_colour = "" if pattern in (None, "none") else colour(fill.fgColor)
    return (code, emphasis, colour(font.color), fill_colour)


def default_format(book, sheet):
    cell = Cell(sheet)
    if book._cell_styles:
        cell._style = copy.copy(book._cell_styles[0])
    return format_of(cell)


def styled_as(sheet, row, column, cell):
    """What gives a cell its format: the cell's own style, else its row's custom format,
    else its column's style."""
    if cell.has_style:
        return cell
    line = sheet.row_dimensions.get(row)
    if line is not None and line.customFormat:
        return line
    for line in sheet.column_dimensions.values():
        if line.has_style and line.min and line.max and line.min <= column <= line.max:
            return line
    return cell


def sheet_lines(book, sheet):
    name = sheet.title
    yield "sheet\t%s\t%s" % (name, sheet.sheet_state)
    hidden_rows = [row for row, dim in sheet.row_dimensions.items() if dim.hidden]
    for first, last in spans(hidden_rows):
        yield "rows\t%s\t%d-%d" % (name, first, last)
    hidden_columns = []
    for dim in sheet.column_dimensions.values():
        if dim.hidden and dim.min and dim.max:
            hidden_columns.extend(range(dim.min, dim.max + 1))
    for first, last in spans(hidden_columns):
        yield "columns\t%s\t%d-%d" % (name, first, last)
    for merged in sheet.merged_cells.ranges:
        yield "merged\t%s\t%s" % (name, merged.coord)
    default = default_format(book, sheet)
    for (row, column), cell in sheet._cells.items():
        where = "%s!%s" % (name, address(row, column))
        if cell.comment is not None:
            # openpyxl gives an empty author as the text "None".
            author = cell.comment.author
            author = "" if author in (None, "None") else author
            yield "note\t%s\t%s\t%s" % (where, escaped(author), escaped(cell.comment.text))
        shown = format_of(styled_as(sheet, row, column, cell))
        if shown != default:
            yield "format\t%s\t%s" % (where, "\t".join(shown))


def xlsx_lines(path):
    book = openpyxl.load_workbook(path)
    lines = []
    for sheet in book.worksheets:
        lines.extend(sheet_lines(book, sheet))
    for name in book.defined_names.definedName:
        scope = ""
        if name.localSheetId is not None:
            scope = book.sheetnames[int(name.localSheetId)]
        lines.append("name\t%s\t%s\t=%s" % (scope, name.name, name.attr_text))
    return lines
