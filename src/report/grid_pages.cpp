#include "report/grid_pages.h"

#include <algorithm>
#include <cstring>

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

// Where a piece of markup first occurs in [from, end); npos when it does not.
std::size_t findBefore(std::string_view document, std::string_view needle, std::size_t from,
                       std::size_t end) {
  if (from >= end) return std::string_view::npos;
  return findMarkup(document.substr(0, end), needle, from);
}

// Cuts the rows of one table, [rowsStart, tableEnd), into pages that each end at the first
// row starting pageBytes or more after their start. Texts in a grid are escaped, so every
// "<tr>" starts a row; only the bytes around each cut are searched.
void addTablePages(std::string_view document, GridPage table, std::size_t tableEnd,
                   std::size_t pageBytes, std::vector<GridPage>& pages) {
  if (table.rowsStart >= tableEnd) {
    table.rowsStart = table.rowsEnd = tableEnd;
    pages.push_back(table);
    return;
  }
  const std::size_t step = std::max<std::size_t>(pageBytes, 1);
  for (std::size_t start = table.rowsStart; start < tableEnd;) {
    GridPage page = table;
    page.rowsStart = start;
    const std::size_t cut = findBefore(document, kRowStart, start + step, tableEnd);
    page.rowsEnd = cut == std::string_view::npos ? tableEnd : cut;
    pages.push_back(page);
    start = page.rowsEnd;
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

GridPaging cutGridPages(std::string_view document, std::size_t pageBytes) {
  GridPaging paging;
  std::size_t searchFrom = 0;
  std::size_t table = findMarkup(document, kTableStart);
  while (table != std::string_view::npos) {
    // A table cut short ends the pages; so does one without a header row.
    const std::size_t tableEnd = findMarkup(document, kTableEnd, table);
    if (tableEnd == std::string_view::npos) break;
    const std::size_t headerRow = findBefore(document, kRowStart, table, tableEnd);
    if (headerRow == std::string_view::npos) break;
    GridPage page;
    page.headingStart = headingBefore(document, table, searchFrom);
    // Rows need not be closed: the header row ends where the first row starts.
    const std::size_t firstRow =
        findBefore(document, kRowStart, headerRow + kRowStart.size(), tableEnd);
    page.headingEnd = page.rowsStart = firstRow == std::string_view::npos ? tableEnd : firstRow;
    page.title = headingTitle(document, page.headingStart);
    if (paging.pages.empty()) paging.headEnd = page.headingStart;
    addTablePages(document, page, tableEnd, pageBytes, paging.pages);
    searchFrom = tableEnd + kTableEnd.size();
    paging.tailStart = searchFrom;
    table = findMarkup(document, kTableStart, searchFrom);
  }
  return paging;
}

void countGridRows(std::string_view document, GridPaging& paging, std::size_t throughPage) {
  for (std::size_t& page = paging.rowsCounted; page <= throughPage && page < paging.pages.size();
       ++page) {
    GridPage& shown = paging.pages[page];
    const bool sameTable = page > 0 && paging.pages[page - 1].headingStart == shown.headingStart;
    shown.firstRow = sameTable ? paging.pages[page - 1].lastRow + 1 : 1;
    const std::string_view rows = document.substr(shown.rowsStart, shown.rowsEnd - shown.rowsStart);
    shown.lastRow = shown.firstRow + long(countMarkup(rows, kRowStart)) - 1;
  }
}

GridPaging splitGridPages(std::string_view document, std::size_t pageBytes) {
  GridPaging paging = cutGridPages(document, pageBytes);
  if (!paging.pages.empty()) countGridRows(document, paging, paging.pages.size() - 1);
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

std::string gridPageBody(std::string_view document, const GridPaging& paging, std::size_t page,
                         std::string_view fileName) {
  const GridPage& shown = paging.pages.at(page);
  std::string out;
  out.reserve((shown.headingEnd - shown.headingStart) + (shown.rowsEnd - shown.rowsStart) + 512);
  appendNavigation(out, paging, page, fileName);
  out.append(document.substr(shown.headingStart, shown.headingEnd - shown.headingStart));
  out.append(document.substr(shown.rowsStart, shown.rowsEnd - shown.rowsStart));
  out.append(kTableEnd);
  return out;
}

std::string gridPageMarkup(std::string_view document, const GridPaging& paging, std::size_t page,
                           std::string_view fileName) {
  const std::string body = gridPageBody(document, paging, page, fileName);
  const std::string_view tail = document.substr(paging.tailStart);
  std::string out;
  out.reserve(paging.headEnd + body.size() + tail.size() + 64);
  out.append(document.substr(0, paging.headEnd));
  appendSwappedPart(out, body);
  out.append(tail);
  return out;
}

std::optional<std::size_t> pageOfQuery(std::string_view query, const GridPaging& paging) {
  return pageOfQuery(query, paging.pages.size());
}

}  // namespace quill
