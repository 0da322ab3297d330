#include "report/content_markup.h"

#include "report/content_wording.h"
#include "report/escape.h"
#include "report/templates.h"

namespace quill {

namespace {

std::string placeOf(const ContentItem& item) {
  if (workbookWide(item.kind)) return item.subject;
  const std::string place1 = contentPlace(item, true), place2 = contentPlace(item, false);
  if (place1.empty() || place2.empty() || place1 == place2) return place1.empty() ? place2 : place1;
  return place1 + " / " + place2;
}

}  // namespace

void appendContentRow(std::string& body, const ContentItem& item, std::string_view anchor) {
  std::string what(itemKindNames(item.kind).document);
  if (item.kind == ItemKind::DifferentFormat) what += " (" + item.detail + ")";
  body.append("<tr><td align=left>");
  appendHtmlEscaped(body, what);
  body.append("</td><td>");
  if (anchor.empty())
    appendHtmlEscaped(body, placeOf(item));
  else
    appendGridLink(body, anchor, placeOf(item));
  const bool macro = item.kind >= ItemKind::MacroAdded && item.kind <= ItemKind::MacroProblem;
  if (macro) {
    body.append("</td><td colspan=2 align=left><pre>");
    appendHtmlEscaped(body, item.detail);
    body.append("</pre></td></tr>");
    return;
  }
  const ContentSides sides = contentSides(item);
  body.append("</td><td>");
  appendHtmlEscaped(body, sides.text1);
  body.append("</td><td>");
  appendHtmlEscaped(body, sides.text2);
  body.append("</td></tr>");
}

void appendContentTable(std::string& body, std::span<const ContentItem> items) {
  body.append("<table>");
  for (const ContentItem& item : items) appendContentRow(body, item);
  body.append("</table>");
}

void appendWorkbookContents(std::string& grid, std::span<const ContentItem> items) {
  grid.append("<h3>Whole workbooks</h3>");
  appendContentTable(grid, items);
}

}  // namespace quill
