#include "report/document_pages.h"

#include <algorithm>

#include "report/page_links.h"

namespace quill {

namespace {

// Every run, grid table or list, closes with this tag.
constexpr std::string_view kRunEnd = "</table>";

// Cuts one run into pages, each but the last ending at the first line that starts pageBytes
// or more after the page's start.
void cutRun(const MarkedRun& run, std::size_t index, std::uint64_t pageBytes,
            std::vector<PageCut>& pages) {
  PageCut page;
  page.run = index;
  page.headingStart = run.headingStart;
  page.headingEnd = run.rowsStart;
  page.rowsStart = run.rowsStart;
  page.first = 1;
  auto next = run.lines.begin();
  while (true) {
    next = std::lower_bound(next, run.lines.end(), page.rowsStart + pageBytes,
                            [](const RowMark& mark, std::uint64_t at) { return mark.offset < at; });
    if (next == run.lines.end() || next->offset >= run.rowsEnd) {
      page.rowsEnd = run.rowsEnd;
      page.last = run.total;
      pages.push_back(page);
      return;
    }
    page.rowsEnd = next->offset;
    page.last = next->before;
    pages.push_back(page);
    page.rowsStart = next->offset;
    page.first = next->before + 1;
  }
}

std::string_view slice(std::string_view document, std::uint64_t start, std::uint64_t end) {
  if (start > end || end > document.size()) return {};
  return document.substr(start, end - start);
}

void appendPageLine(std::string& out, const PagedDocument& paged, std::size_t page,
                    std::string_view fileName) {
  const PageCut& shown = paged.pages[page];
  const bool rows = paged.naming == PageNaming::GridRows;
  out.append(rows ? "<p>Rows " : "<p>Differences ");
  appendNumber(out, shown.first);
  out.append(" to ");
  appendNumber(out, shown.last);
  out.append(" of ");
  if (rows)
    out.append(paged.titles[shown.run]);
  else
    appendNumber(out, paged.totals[shown.run]);
  appendPageTurns(out, fileName, page, paged.pages.size());
  out.append("</p>");
}

}  // namespace

PagedDocument cutPages(const MarkedDocument& document, std::size_t pageBytes, PageNaming naming) {
  PagedDocument paged;
  paged.headEnd = document.headEnd;
  paged.tailStart = document.tailStart;
  paged.naming = naming;
  const std::uint64_t step = std::max<std::uint64_t>(pageBytes, 1);
  for (std::size_t run = 0; run < document.runs.size(); ++run) {
    cutRun(document.runs[run], run, step, paged.pages);
    paged.titles.push_back(document.runs[run].title);
    paged.totals.push_back(document.runs[run].total);
  }
  return paged;
}

std::optional<std::size_t> pageHolding(const PagedDocument& paged, std::uint64_t offset) {
  const auto& pages = paged.pages;
  // The first page whose rows start after the offset; the one before may hold it.
  const auto after =
      std::upper_bound(pages.begin(), pages.end(), offset,
                       [](std::uint64_t at, const PageCut& page) { return at < page.rowsStart; });
  if (after != pages.begin() && offset < std::prev(after)->rowsEnd)
    return std::size_t(std::prev(after) - pages.begin());
  // A run's first page follows the last of the run before; its heading is on every page.
  if (after != pages.end() && after->headingStart <= offset && offset < after->headingEnd)
    return std::size_t(after - pages.begin());
  return std::nullopt;
}

std::string pageBody(std::string_view document, const PagedDocument& paged, std::size_t page,
                     std::string_view fileName) {
  const PageCut& shown = paged.pages.at(page);
  const std::string_view heading = slice(document, shown.headingStart, shown.headingEnd);
  const std::string_view rows = slice(document, shown.rowsStart, shown.rowsEnd);
  std::string out;
  out.reserve(heading.size() + rows.size() + 512);
  appendPageLine(out, paged, page, fileName);
  out.append(heading);
  out.append(rows);
  out.append(kRunEnd);
  return out;
}

std::string pageMarkup(std::string_view document, const PagedDocument& paged, std::size_t page,
                       std::string_view fileName) {
  const std::string body = pageBody(document, paged, page, fileName);
  const std::string_view head = slice(document, 0, paged.headEnd);
  const std::string_view tail = slice(document, paged.tailStart, document.size());
  std::string out;
  out.reserve(head.size() + body.size() + tail.size() + 64);
  out.append(head);
  appendSwappedPart(out, body);
  out.append(tail);
  return out;
}

}  // namespace quill
