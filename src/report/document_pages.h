#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "report/document_index.h"

namespace quill {

// One page of a document shown in pages: a run of whole lines of one run of rows, shown
// under that run's heading.
struct PageCut {
  std::uint64_t headingStart = 0;
  std::uint64_t headingEnd = 0;
  std::uint64_t rowsStart = 0;
  std::uint64_t rowsEnd = 0;
  std::uint64_t first = 0;  // the first and last row or difference, counted from 1 ...
  std::uint64_t last = 0;   // ... in the run; first - 1 on a page without one
  std::size_t run = 0;      // which run of the document the page belongs to
};

// How the line above each page names what it shows.
enum class PageNaming { GridRows, ListedDifferences };

// Where the pages of a document lie; no pages when it has no run.
struct PagedDocument {
  std::uint64_t headEnd = 0;
  std::uint64_t tailStart = 0;
  std::vector<PageCut> pages;
  std::vector<std::string> titles;    // each run's title (HTML)
  std::vector<std::uint64_t> totals;  // each run's rows or differences
  PageNaming naming = PageNaming::GridRows;
};

// Cuts each run of the document into pages of whole lines: each page but a run's last ends
// at the first line that starts pageBytes or more after the page's start. A run without
// lines gives one page.
PagedDocument cutPages(const MarkedDocument& document, std::size_t pageBytes, PageNaming naming);

// The page that shows that offset of the document: the page whose rows hold it, or the
// first page of the run whose heading holds it; none elsewhere.
std::optional<std::size_t> pageHolding(const PagedDocument& paged, std::uint64_t offset);

// The part of one page that changes from page to page: a line naming what the page shows
// and leading to the pages before and after (links to fileName?page=N, N counted from 1),
// the run's heading, the page's rows and the run's closing tag.
std::string pageBody(std::string_view document, const PagedDocument& paged, std::size_t page,
                     std::string_view fileName);

// The markup of one page: the document's head, the page's body in the swapped part (see
// page_links.h) and the document's tail.
std::string pageMarkup(std::string_view document, const PagedDocument& paged, std::size_t page,
                       std::string_view fileName);

}  // namespace quill
