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

void appendNavigation(std::string& out, const GridPaging& paging, std::size_t page,
                      std::string_view fileName) {
  const GridPage& shown = paging.pages[page];
  out.append("<p>Rows ");
  appendNumber(out, std::size_t(shown.firstRow));
  out.append(" to ");
  appendNumber(out, std::size_t(shown.lastRow));
  out.append(" of ");
  out.append(shown.title);
  appendPageTurns(out, fileName, page, paging.pages.size(), paging.complete);
  out.append("</p>");
}

}  // namespace

namespace {

// Where the last table ends, looked for in the document's last bytes only; npos when it does
// not end there.
std::size_t lastTableEnd(std::string_view document) {
  constexpr std::size_t kTailBytes = 65536;
  const std::size_t from = document.size() > kTailBytes ? document.size() - kTailBytes : 0;
  const std::size_t end = document.substr(from).rfind(kTableEnd);
  return end == std::string_view::npos ? end : from + end + kTableEnd.size();
}

// Cuts the pages of grid tables one by one; each search covers the bytes of the page it
// cuts and a row beyond, so that the first pages are cut at once however long the document.
class GridCutter {
 public:
  GridCutter(std::string_view document, std::size_t pageBytes, std::size_t maxPages)
      : document_(document), step_(std::max<std::size_t>(pageBytes, 1)), maxPages_(maxPages) {}

  GridPaging cut() {
    std::size_t table = findMarkup(document_, kTableStart);
    while (table != std::string_view::npos) {
      const std::size_t end = cutTable(table);
      if (end == std::string_view::npos) break;
      searchFrom_ = end + kTableEnd.size();
      paging_.tailStart = searchFrom_;
      table = findMarkup(document_, kTableStart, searchFrom_);
    }
    if (!paging_.complete) paging_.tailStart = lastTableEnd(document_);
    return std::move(paging_);
  }

 private:
  // Cuts one table into pages; answers where it ends, npos when it is cut short or has no
  // header row (which ends the pages), or when maxPages pages are cut.
  std::size_t cutTable(std::size_t table) {
    const std::size_t headerRow = findMarkup(document_, kRowStart, table);
    if (headerRow == std::string_view::npos ||
        findBefore(document_, kTableEnd, table, headerRow) != std::string_view::npos)
      return std::string_view::npos;
    GridPage page;
    page.headingStart = headingBefore(document_, table, searchFrom_);
    page.title = headingTitle(document_, page.headingStart);
    if (paging_.pages.empty()) paging_.headEnd = page.headingStart;
    // Rows need not be closed: the header row ends where the first row starts.
    const std::size_t firstRow = findMarkup(document_, kRowStart, headerRow + kRowStart.size());
    const std::size_t end = findUpTo(kTableEnd, headerRow, firstRow);
    if (end != std::string_view::npos) {
      // A table without rows still gets its page.
      page.headingEnd = page.rowsStart = page.rowsEnd = end;
      return addPage(page) ? end : std::string_view::npos;
    }
    if (firstRow == std::string_view::npos) return std::string_view::npos;
    page.headingEnd = firstRow;
    const std::size_t pagesBefore = paging_.pages.size();
    for (std::size_t start = firstRow;;) {
      const std::size_t cut = findMarkup(document_, kRowStart, start + step_);
      const std::size_t tableEnd = findUpTo(kTableEnd, start, cut);
      if (tableEnd == std::string_view::npos && cut == std::string_view::npos) {
        // A table cut short is left out whole.
        paging_.pages.resize(pagesBefore);
        return std::string_view::npos;
      }
      page.rowsStart = start;
      page.rowsEnd = tableEnd != std::string_view::npos ? tableEnd : cut;
      if (!addPage(page)) return std::string_view::npos;
      if (tableEnd != std::string_view::npos) return tableEnd;
      start = cut;
    }
  }

  // Adds a page unless maxPages are there already, which leaves the paging incomplete.
  bool addPage(const GridPage& page) {
    if (paging_.pages.size() >= maxPages_) {
      paging_.complete = false;
      return false;
    }
    paging_.pages.push_back(page);
    return true;
  }

  // Where the needle first occurs in [from, end), end npos meaning the document's end.
  std::size_t findUpTo(std::string_view needle, std::size_t from, std::size_t end) const {
    return findBefore(document_, needle, from,
                      end == std::string_view::npos ? document_.size() : end);
  }

  std::string_view document_;
  std::size_t step_;
  std::size_t maxPages_;
  std::size_t searchFrom_ = 0;
  GridPaging paging_;
};

}  // namespace

GridPaging cutGridPages(std::string_view document, std::size_t pageBytes, std::size_t maxPages) {
  GridPaging paging = GridCutter(document, pageBytes, maxPages).cut();
  // Without a tail in the last bytes, the pages shown need all of them cut.
  if (!paging.complete && paging.tailStart == std::string_view::npos)
    return cutGridPages(document, pageBytes);
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

std::optional<std::size_t> pageHolding(const GridPaging& paging, std::size_t offset) {
  const auto after =
      std::upper_bound(paging.pages.begin(), paging.pages.end(), offset,
                       [](std::size_t at, const GridPage& page) { return at < page.rowsStart; });
  if (after == paging.pages.begin()) return std::nullopt;
  const auto page = std::prev(after);
  if (offset >= page->rowsEnd) return std::nullopt;
  return std::size_t(page - paging.pages.begin());
}

std::optional<std::size_t> findAnchorPage(std::string_view document, const GridPaging& paging,
                                          std::string_view anchor) {
  std::string name = "name=\"";
  appendHtmlEscaped(name, anchor);
  name.push_back('"');
  const std::size_t at = findMarkup(document, name);
  if (at == std::string_view::npos) return std::nullopt;
  return pageHolding(paging, at);
}

std::optional<std::size_t> findAnchorPage(const AnchorIndex& anchors, const GridPaging& paging,
                                          std::string_view anchor) {
  const auto at = anchors.find(anchor);
  return at ? pageHolding(paging, *at) : std::nullopt;
}

std::string gridPageLine(const GridPaging& paging, std::size_t page, std::string_view fileName) {
  std::string out;
  appendNavigation(out, paging, page, fileName);
  return out;
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
