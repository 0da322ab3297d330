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

// Where the next row starts at or after from, or where the table ends should that come
// first; npos when neither does. Texts in a grid are escaped, so every '<' starts a tag and
// one pass over the tags finds both.
struct RowOrEnd {
  std::size_t at = std::string_view::npos;
  bool tableEnd = true;
};

RowOrEnd nextRowOrTableEnd(std::string_view document, std::size_t from) {
  if (from >= document.size()) return {};
  const char* const begin = document.data();
  const char* const end = begin + document.size();
  for (const char* tag = begin + from;
       (tag = static_cast<const char*>(std::memchr(tag, '<', std::size_t(end - tag)))); ++tag) {
    const std::string_view rest(tag, std::size_t(end - tag));
    if (rest.starts_with(kRowStart)) return {std::size_t(tag - begin), false};
    if (rest.starts_with(kTableEnd)) return {std::size_t(tag - begin), true};
  }
  return {};
}

// Cuts the rows of one table, from the first row after its header row, into pages; answers
// where the table ends, npos when it does not.
std::size_t addTablePages(std::string_view document, GridPage table, std::size_t pageBytes,
                          std::vector<GridPage>& pages) {
  RowOrEnd next = nextRowOrTableEnd(document, table.rowsStart);
  if (next.at == std::string_view::npos) return next.at;
  if (next.tableEnd) {
    table.rowsStart = table.rowsEnd = next.at;
    pages.push_back(table);
    return next.at;
  }
  long rowNumber = 1;
  while (!next.tableEnd) {
    GridPage page = table;
    page.rowsStart = next.at;
    page.firstRow = rowNumber;
    do {
      next = nextRowOrTableEnd(document, next.at + kRowStart.size());
      if (next.at == std::string_view::npos) return next.at;
      ++rowNumber;
    } while (!next.tableEnd && next.at - page.rowsStart < pageBytes);
    page.rowsEnd = next.at;
    page.lastRow = rowNumber - 1;
    pages.push_back(page);
  }
  return next.at;
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
    const RowOrEnd headerRow = nextRowOrTableEnd(document, table);
    if (headerRow.at == std::string_view::npos || headerRow.tableEnd) break;
    // Rows need not be closed: the header row ends where the first row starts.
    page.headingEnd = nextRowOrTableEnd(document, headerRow.at + kRowStart.size()).at;
    if (page.headingEnd == std::string_view::npos) break;
    page.rowsStart = page.headingEnd;
    page.title = headingTitle(document, page.headingStart);
    const std::size_t pagesBefore = paging.pages.size();
    const std::size_t tableEnd = addTablePages(document, page, pageBytes, paging.pages);
    if (tableEnd == std::string_view::npos) {
      // A table cut short is left out whole.
      paging.pages.resize(pagesBefore);
      break;
    }
    if (pagesBefore == 0) paging.headEnd = page.headingStart;
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
