#include "report/list_pages.h"

#include <algorithm>

#include "report/markup_search.h"
#include "report/page_links.h"

namespace quill {

namespace {

constexpr std::string_view kTableStart = "<table";
constexpr std::string_view kTableEnd = "</table>";
constexpr std::string_view kRowStart = "<tr>";
// Every listed difference links to its cell in the grid once; texts of cells are escaped,
// so that this cannot occur in them.
constexpr std::string_view kDifferenceLink = "target=\"Visualized\"";

// Where the page starting at start ends: at the first row that starts pageBytes or more
// after it, or at the end of the rows.
std::size_t pageEnd(std::string_view document, std::size_t start, std::size_t rowsEnd,
                    std::size_t pageBytes) {
  const std::size_t earliest = start + std::max<std::size_t>(pageBytes, 1);
  if (earliest >= rowsEnd) return rowsEnd;
  const std::size_t row = findMarkup(document.substr(0, rowsEnd), kRowStart, earliest);
  return row == std::string_view::npos ? rowsEnd : row;
}

}  // namespace

ListPaging splitListPages(std::string_view document, std::size_t pageBytes) {
  ListPaging paging;
  const std::size_t table = findMarkup(document, kTableStart);
  if (table == std::string_view::npos) return paging;
  const std::size_t rows = findMarkup(document, kRowStart, table);
  const std::size_t end = findMarkup(document, kTableEnd, table);
  if (rows == std::string_view::npos || end == std::string_view::npos || rows > end) return paging;
  paging.tableStart = table;
  paging.rowsStart = rows;
  paging.rowsEnd = end;
  long counted = 0;
  std::size_t start = rows;
  do {
    ListPage page;
    page.rowsStart = start;
    page.rowsEnd = pageEnd(document, start, end, pageBytes);
    page.firstDifference = counted + 1;
    counted += long(countMarkup(document.substr(start, page.rowsEnd - start), kDifferenceLink));
    page.lastDifference = counted;
    paging.pages.push_back(page);
    start = page.rowsEnd;
  } while (start < end);
  paging.differences = counted;
  return paging;
}

std::string listPageBody(std::string_view document, const ListPaging& paging, std::size_t page,
                         std::string_view fileName) {
  const ListPage& shown = paging.pages.at(page);
  std::string out;
  out.reserve((paging.rowsStart - paging.tableStart) + (shown.rowsEnd - shown.rowsStart) + 512);
  out.append("<p>Differences ");
  appendNumber(out, std::size_t(shown.firstDifference));
  out.append(" to ");
  appendNumber(out, std::size_t(shown.lastDifference));
  out.append(" of ");
  appendNumber(out, std::size_t(paging.differences));
  appendPageTurns(out, fileName, page, paging.pages.size());
  out.append("</p>");
  out.append(document.substr(paging.tableStart, paging.rowsStart - paging.tableStart));
  out.append(document.substr(shown.rowsStart, shown.rowsEnd - shown.rowsStart));
  out.append(kTableEnd);
  return out;
}

std::string listPageMarkup(std::string_view document, const ListPaging& paging, std::size_t page,
                           std::string_view fileName) {
  const std::string body = listPageBody(document, paging, page, fileName);
  const std::string_view tail = document.substr(paging.rowsEnd + kTableEnd.size());
  std::string out;
  out.reserve(paging.tableStart + body.size() + tail.size() + 64);
  out.append(document.substr(0, paging.tableStart));
  appendSwappedPart(out, body);
  out.append(tail);
  return out;
}

}  // namespace quill
