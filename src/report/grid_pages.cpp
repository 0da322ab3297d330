#include "report/grid_pages.h"

#include <algorithm>

#include "report/escape.h"
#include "report/markup_search.h"
#include "report/page_links.h"

namespace quill {

namespace {

constexpr std::string_view kTableStart = "<table colls=";
constexpr std::string_view kTableEnd = "</table>";
constexpr std::string_view kRowStart = "<tr>";
constexpr std::string_view kSheetHeading = "<h3>";
constexpr std::string_view kKeyedHeading = "<font size=+1>";

// The start of the heading that stands before a table, searched no earlier than from.
std::size_t headingBefore(std::string_view document, std::size_t table, std::size_t from) {
  const std::string_view before = document.substr(from, table - from);
  const std::size_t sheet = before.rfind(kSheetHeading);
  const std::size_t keyed = before.rfind(kKeyedHeading);
  if (sheet == std::string_view::npos && keyed == std::string_view::npos) return table;
  if (sheet == std::string_view::npos) return from + keyed;
  if (keyed == std::string_view::npos) return from + sheet;
  return from + std::max(sheet, keyed);
}

std::string_view headingTitle(std::string_view document, std::size_t heading) {
  const bool sheet = document.compare(heading, kSheetHeading.size(), kSheetHeading) == 0;
  const std::size_t start = heading + (sheet ? kSheetHeading.size() : kKeyedHeading.size());
  const std::size_t end = document.find(sheet ? "</h3>" : "&nbsp;", start);
  return document.substr(start, end == std::string_view::npos ? 0 : end - start);
}

// Cuts the rows of one table into pages.
void addTablePages(std::string_view document, GridPage table, std::size_t pageBytes,
                   std::vector<GridPage>& pages) {
  const std::size_t tableEnd = table.rowsEnd;
  std::size_t row = findMarkup(document, kRowStart, table.rowsStart);
  if (row == std::string_view::npos || row >= tableEnd) {
    table.rowsStart = table.rowsEnd = tableEnd;
    pages.push_back(table);
    return;
  }
  long rowNumber = 1;
  while (row < tableEnd) {
    GridPage page = table;
    page.rowsStart = row;
    page.firstRow = rowNumber;
    do {
      row = findMarkup(document, kRowStart, row + kRowStart.size());
      if (row == std::string_view::npos || row > tableEnd) row = tableEnd;
      ++rowNumber;
    } while (row < tableEnd && row - page.rowsStart < pageBytes);
    page.rowsEnd = row;
    page.lastRow = rowNumber - 1;
    pages.push_back(page);
  }
}

void appendNavigation(std::string& out, const GridPaging& paging, std::size_t page,
                      std::string_view fileName) {
  const GridPage& shown = paging.pages[page];
  out.append("<p>Rows ");
  appendNumber(out, std::size_t(shown.firstRow));
  out.append(" to ");
  appendNumber(out, std::size_t(shown.lastRow));
  out.append(" of ");
  out.append(shown.title);
  appendPageTurns(out, fileName, page, paging.pages.size());
  out.append("</p>");
}

}  // namespace

GridPaging splitGridPages(std::string_view document, std::size_t pageBytes) {
  GridPaging paging;
  std::size_t searchFrom = 0;
  std::size_t table = findMarkup(document, kTableStart);
  while (table != std::string_view::npos) {
    GridPage page;
    page.headingStart = headingBefore(document, table, searchFrom);
    const std::size_t headerRow = findMarkup(document, kRowStart, table);
    const std::size_t tableEnd = findMarkup(document, kTableEnd, table);
    if (headerRow == std::string_view::npos || tableEnd == std::string_view::npos ||
        headerRow > tableEnd)
      break;
    // Rows need not be closed: the header row ends where the first row starts.
    page.headingEnd =
        std::min(findMarkup(document, kRowStart, headerRow + kRowStart.size()), tableEnd);
    page.rowsStart = page.headingEnd;
    page.rowsEnd = tableEnd;
    page.title = headingTitle(document, page.headingStart);
    if (paging.pages.empty()) paging.headEnd = page.headingStart;
    addTablePages(document, page, pageBytes, paging.pages);
    searchFrom = tableEnd + kTableEnd.size();
    paging.tailStart = searchFrom;
    table = findMarkup(document, kTableStart, searchFrom);
  }
  return paging;
}

std::optional<std::size_t> findAnchorPage(std::string_view document, const GridPaging& paging,
                                          std::string_view anchor) {
  std::string name = "name=\"";
  appendHtmlEscaped(name, anchor);
  name.push_back('"');
  const std::size_t at = findMarkup(document, name);
  if (at == std::string_view::npos) return std::nullopt;
  const auto after = std::upper_bound(
      paging.pages.begin(), paging.pages.end(), at,
      [](std::size_t offset, const GridPage& page) { return offset < page.rowsStart; });
  if (after == paging.pages.begin()) return std::nullopt;
  const auto page = std::prev(after);
  if (at >= page->rowsEnd) return std::nullopt;
  return std::size_t(page - paging.pages.begin());
}

std::string gridPageMarkup(std::string_view document, const GridPaging& paging, std::size_t page,
                           std::string_view fileName) {
  const GridPage& shown = paging.pages.at(page);
  const std::string_view tail = document.substr(paging.tailStart);
  std::string out;
  out.reserve(paging.headEnd + (shown.headingEnd - shown.headingStart) +
              (shown.rowsEnd - shown.rowsStart) + tail.size() + 512);
  out.append(document.substr(0, paging.headEnd));
  appendNavigation(out, paging, page, fileName);
  out.append(document.substr(shown.headingStart, shown.headingEnd - shown.headingStart));
  out.append(document.substr(shown.rowsStart, shown.rowsEnd - shown.rowsStart));
  out.append(kTableEnd);
  out.append(tail);
  return out;
}

std::optional<std::size_t> pageOfQuery(std::string_view query, const GridPaging& paging) {
  return pageOfQuery(query, paging.pages.size());
}

}  // namespace quill
