#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quill {

// One page of a difference list: a run of whole rows of the list's table.
struct ListPage {
  std::size_t rowsStart = 0;  // the page's rows, each starting with "<tr>"
  std::size_t rowsEnd = 0;
  long firstDifference = 0;  // counted from 1 through the list
  long lastDifference = 0;   // firstDifference - 1 on a page without a difference
};

// Where the pages of a difference list lie; no pages when it has no table of rows.
struct ListPaging {
  std::size_t tableStart = 0;  // the head ends where the list's table starts
  std::size_t rowsStart = 0;   // the table's first row ...
  std::size_t rowsEnd = 0;     // ... and where its closing tags start
  long differences = 0;
  std::vector<ListPage> pages;
};

// Cuts the difference list's table into pages of whole rows of about pageBytes each: each
// page but the last ends at the first row that starts pageBytes or more after its start.
// Only the bytes around each cut are searched for rows; the differences are counted as
// links into the grid.
ListPaging splitListPages(std::string_view document, std::size_t pageBytes);

// The part of one page that changes from page to page: a line naming the page's differences
// and leading to the pages before and after (links to fileName?page=N, N counted from 1),
// the table's opening tags, the page's rows and the table's end.
std::string listPageBody(std::string_view document, const ListPaging& paging, std::size_t page,
                         std::string_view fileName);

// The markup of one page: the head, the page's body in the swapped part (see page_links.h)
// and the document's closing tags after the table's.
std::string listPageMarkup(std::string_view document, const ListPaging& paging, std::size_t page,
                           std::string_view fileName);

}  // namespace quill
