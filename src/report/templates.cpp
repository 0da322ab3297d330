#include "report/templates.h"

#include <charconv>
#include <optional>

#include "engine/difference_kinds.h"
#include "report/escape.h"
#include "sheet/address.h"

namespace quill {

namespace {

constexpr std::string_view kFocusHandlers =
    " href=#null onfocus=\"this.parentElement.style.border='0.2mm solid red';\" "
    "onblur=\"this.parentElement.style.border='0.2mm solid white';\" name=\"";

constexpr std::string_view kLinkOpen = "<a href=\"visualized.htm#";
constexpr std::string_view kLinkRest =
    "\" target=\"Visualized\" "
    "onclick=\"Visualized=window.open(this.href,'Visualized');Visualized.focus();\">";

void appendLink(std::string& body, ListLink link) {
  appendGridLink(body, link.anchor, link.shown);
}

void appendLink(std::string& body, std::string_view anchor) {
  appendGridLink(body, anchor, anchor);
}

// A row of the difference list naming what differs, the cell it links to and the two texts;
// every field is escaped, so a label without markup characters appears as written.
void appendTwoTextRow(std::string& body, std::string_view what, ListLink link,
                      std::string_view text1, std::string_view text2) {
  body.append("<tr><td align=left>");
  appendHtmlEscaped(body, what);
  body.append("</td><td>");
  appendLink(body, link);
  body.append("</td><td>");
  appendCellTextEscaped(body, text1);
  body.append("</td><td>");
  appendCellTextEscaped(body, text2);
  body.append("</td></tr>");
}

void appendNumber(std::string& out, long value) {
  char digits[24];
  auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out.append(digits, end);
}

// The opening of a cell's link to its anchor up to and including the value it shows; the
// caller closes the link and the cell.
void appendValueLinkStart(std::string& grid, std::string_view anchor, std::string_view value) {
  grid.append("<a class='nullhref'");
  grid.append(kFocusHandlers);
  appendHtmlEscaped(grid, anchor);
  grid.append("\">&nbsp;");
  appendCellTextEscaped(grid, value);
}

// One line of a formula cell's tooltip: a file's formula, or a word that it has none.
void appendFormulaLine(std::string& grid, std::string_view formula) {
  grid.append("&#10;");
  appendHtmlEscaped(grid, formula.empty() ? std::string_view("(no formula)") : formula);
}

void appendKeyCell(std::string& grid, std::string_view kind, std::string_view file,
                   std::string_view anchor, std::string_view label) {
  grid.append("<td class='");
  grid.append(kind);
  grid.append("'><a class=\"nullhref\"");
  grid.append(kFocusHandlers);
  appendHtmlEscaped(grid, file);
  grid.push_back('!');
  appendHtmlEscaped(grid, anchor);
  grid.append("\">");
  appendHtmlEscaped(grid, label);
  grid.append("</a></td>");
}

constexpr std::string_view kLegendStart =
    "&nbsp;&nbsp;&nbsp;(<span style='background-color:#3366FF'>&nbsp;&nbsp;</span>&nbsp; - ";
constexpr std::string_view kLegendMiddle =
    " added&nbsp;&nbsp;&nbsp;<span style='background-color:#FF6666'>&nbsp;&nbsp;</span>&nbsp; - ";
constexpr std::string_view kLegendEnd = " removed)</Font><table colls=";

void appendKeyedTitle(std::string& out, std::string_view kind, std::string_view first,
                      std::string_view last) {
  out.append(kind);
  out.push_back(' ');
  appendHtmlEscaped(out, first);
  out.append(" - ");
  appendHtmlEscaped(out, last);
}

void appendKeyedHeading(std::string& grid, std::string_view kind, std::string_view first,
                        std::string_view last, long count) {
  grid.append("<font size=+1>");
  appendKeyedTitle(grid, kind, first, last);
  grid.append(kLegendStart);
  grid.append(kind.substr(0, kind.size() - 1));  // "Rows" gives "Row"
  grid.append(kLegendMiddle);
  grid.append(kind.substr(0, kind.size() - 1));
  grid.append(kLegendEnd);
  appendNumber(grid, count);
  grid.append("><tr>");
}

// A grid cell of the class, with a tooltip when title is given, holding the value, and the
// anchor the list links to unless anchor is empty.
void appendClassedCell(std::string& grid, std::string_view cssClass,
                       std::optional<std::string_view> title, std::string_view anchor,
                       std::string_view value) {
  grid.append("<td class='");
  grid.append(cssClass);
  if (title) {
    grid.append("' title='");
    grid.append(*title);
  }
  if (anchor.empty()) {
    grid.append("'>&nbsp;");
    appendCellTextEscaped(grid, value);
    grid.append("&nbsp;</td>");
    return;
  }
  grid.append("'>");
  appendValueLinkStart(grid, anchor, value);
  grid.append("&nbsp;</a></td>");
}

}  // namespace

void appendGridLink(std::string& body, std::string_view anchor, std::string_view text) {
  body.append(kLinkOpen);
  appendUrlEscaped(body, anchor);
  body.append(kLinkRest);
  appendHtmlEscaped(body, text);
  body.append("</a>");
}

void appendMarkedCell(std::string& grid, std::string_view cssClass, std::string_view title,
                      std::string_view anchor, std::string_view value) {
  appendClassedCell(grid, cssClass, title, anchor, value);
}

std::string cellAnchor(std::string_view sheet, long row, long column) {
  std::string anchor(sheet);
  anchor.push_back('!');
  appendCellAddress(anchor, row, column);
  return anchor;
}

void appendMissingValueRow(std::string& body, std::string_view file, std::string_view anchor) {
  body.append("<tr><td align=left>");
  body.append(itemKindNames(ItemKind::MissingInFirst).document);
  body.append(" </td><td colspan=3 align=left>");
  appendHtmlEscaped(body, file);
  body.push_back('!');
  appendLink(body, anchor);
  body.append("</td></tr>");
}

void appendDifferentValueRow(std::string& body, std::string_view anchor, std::string_view value1,
                             std::string_view value2) {
  appendTwoTextRow(body, itemKindNames(ItemKind::DifferentValue).document, {anchor, anchor}, value1,
                   value2);
}

void appendDifferentFormulaRow(std::string& body, std::string_view anchor,
                               std::string_view formula1, std::string_view formula2) {
  appendTwoTextRow(body, itemKindNames(ItemKind::DifferentFormula).document, {anchor, anchor},
                   formula1, formula2);
}

void appendAlignedChangeRow(std::string& body, std::string_view what, std::string_view anchor) {
  appendAlignedChangeRow(body, what, ListLink{anchor, anchor});
}

void appendAlignedChangeRow(std::string& body, std::string_view what, ListLink link) {
  body.append("<tr><td align=left>");
  appendHtmlEscaped(body, what);
  body.append("</td><td colspan=3 align=left>");
  appendLink(body, link);
  body.append("</td></tr>");
}

void appendAlignedChangeRow(std::string& body, std::string_view what, ListLink link,
                            std::string_view value1, std::string_view value2) {
  appendTwoTextRow(body, what, link, value1, value2);
}

void appendTableAnchor(std::string& grid, std::string_view anchor) {
  grid.append("<a name=\"");
  appendHtmlEscaped(grid, anchor);
  grid.append("\"></a>");
}

void appendAlignedCell(std::string& grid, std::string_view kind, std::string_view anchor,
                       std::string_view value) {
  appendClassedCell(grid, kind, {}, anchor, value);
}

void appendSheetHeading(std::string& grid, std::string_view sheet, long count,
                        std::string_view between) {
  grid.append("<h3>");
  appendHtmlEscaped(grid, sheet);
  grid.append("</h3>");
  grid.append(between);
  grid.append("<table colls=");
  appendNumber(grid, count);
  grid.append("><tr>");
}

void appendRowsTitle(std::string& out, std::string_view first, std::string_view last) {
  appendKeyedTitle(out, "Rows", first, last);
}

void appendColumnsTitle(std::string& out, std::string_view first, std::string_view last) {
  appendKeyedTitle(out, "Columns", first, last);
}

void appendRowsHeading(std::string& grid, std::string_view first, std::string_view last,
                       long count) {
  appendKeyedHeading(grid, "Rows", first, last, count);
}

void appendColumnsHeading(std::string& grid, std::string_view first, std::string_view last,
                          long count) {
  appendKeyedHeading(grid, "Columns", first, last, count);
}

void appendHeaderCorner(std::string& grid) {
  grid.append("<td class='header'></td>");
}

void appendHeaderCell(std::string& grid, std::string_view label) {
  grid.append("<td class='header'>");
  appendHtmlEscaped(grid, label);
  grid.append("</td>");
}

void appendHeaderCell(std::string& grid, long label) {
  grid.append("<td class='header'>");
  appendNumber(grid, label);
  grid.append("</td>");
}

void appendRowStart(std::string& grid) {
  grid.append("<tr>");
}
void appendRowEnd(std::string& grid) {
  grid.append("</tr>");
}
void appendTableStart(std::string& body) {
  body.append("<table>");
}
void appendTableEnd(std::string& grid) {
  grid.append("</table>");
}

void appendDataCell(std::string& grid, std::string_view value) {
  grid.append("<td class='data'>&nbsp;");
  appendCellTextEscaped(grid, value);
  grid.append("&nbsp;</td>");
}

void appendAnchoredDataCell(std::string& grid, std::string_view anchor, std::string_view value) {
  grid.append("<td class='data'>");
  appendValueLinkStart(grid, anchor, value);
  grid.append("&nbsp;</a></td>");
}

void appendChangedCell(std::string& grid, std::string_view anchor, std::string_view value1,
                       std::string_view value2) {
  grid.append("<td class='data'>");
  appendValueLinkStart(grid, anchor, value1);
  grid.append(" <span style='background-color: yellow'>");
  appendCellTextEscaped(grid, value2);
  grid.append("</span>&nbsp;</a></td>");
}

void appendFormulaCell(std::string& grid, std::string_view anchor, std::string_view value,
                       std::string_view formula1, std::string_view formula2) {
  grid.append("<td class='formula' title='Different formula");
  appendFormulaLine(grid, formula1);
  appendFormulaLine(grid, formula2);
  grid.append("'>");
  appendValueLinkStart(grid, anchor, value);
  grid.append("&nbsp;</a></td>");
}

void appendCommentCell(std::string& grid, std::string_view file, std::string_view anchor,
                       std::string_view value) {
  grid.append("<td class='comment' title='Missing value: in ");
  appendHtmlEscaped(grid, file);
  grid.push_back('!');
  appendHtmlEscaped(grid, anchor);
  grid.append("'><a class=\"nullhref\"");
  grid.append(kFocusHandlers);
  appendHtmlEscaped(grid, anchor);
  grid.append("\">&nbsp;");
  appendCellTextEscaped(grid, value);
  grid.append(" <span style='background-color: yellow'></span>&nbsp;</a></td>");
}

void appendAddedCell(std::string& grid, std::string_view file, std::string_view anchor,
                     std::string_view label) {
  appendKeyCell(grid, "added", file, anchor, label);
}

void appendRemovedCell(std::string& grid, std::string_view file, std::string_view anchor,
                       std::string_view label) {
  appendKeyCell(grid, "removed", file, anchor, label);
}

void appendEmptyRowsLine(std::string& grid, long first, long last, long columns) {
  grid.append("<tr><td class='header'>");
  appendNumber(grid, first);
  grid.append(" - ");
  appendNumber(grid, last);
  grid.append("</td><td class='data' colspan=");
  appendNumber(grid, columns);
  grid.append(">&nbsp;Rows ");
  appendNumber(grid, first);
  grid.append(" - ");
  appendNumber(grid, last);
  grid.append(" are empty in both files&nbsp;</td>");
}

void appendEmptyColumnsCell(std::string& grid, long first, long last) {
  grid.append("<td class='data' colspan=");
  appendNumber(grid, last - first + 1);
  grid.append(">&nbsp;Columns ");
  grid.append(columnLetters(first));
  grid.append(" - ");
  grid.append(columnLetters(last));
  grid.append(" are empty in both files&nbsp;</td>");
}

void appendPairedDataCell(std::string& grid, std::string_view value) {
  appendDataCell(grid, value);
  grid.append("<td>&nbsp</td>");
}

void appendPairedChangedCell(std::string& grid, std::string_view anchor, std::string_view value1,
                             std::string_view value2) {
  grid.append("<td class='data'>");
  appendValueLinkStart(grid, anchor, value1);
  grid.append("</td><td> <span style='background-color: yellow'>");
  appendCellTextEscaped(grid, value2);
  grid.append("</span>&nbsp;</a></td>");
}

void appendPairedCommentCell(std::string& grid, std::string_view file, std::string_view anchor,
                             std::string_view value) {
  appendCommentCell(grid, file, anchor, value);
  grid.append("<td>&nbsp</td>");
}

void appendPairedFormulaCell(std::string& grid, std::string_view anchor, std::string_view value,
                             std::string_view formula1, std::string_view formula2) {
  appendFormulaCell(grid, anchor, value, formula1, formula2);
  grid.append("<td>&nbsp</td>");
}

}  // namespace quill
