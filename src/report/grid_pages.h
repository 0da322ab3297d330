#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "report/anchor_index.h"
#include "report/page_links.h"

namespace quill {

// One page of a grid document: a run of whole rows of one grid table, shown under that
// table's heading and header row.
struct GridPage {
  std::size_t headingStart = 0;  // the table's heading ...
  std::size_t headingEnd = 0;    // ... up to and including its header row
  std::size_t rowsStart = 0;     // the page's rows, each starting with "<tr>"
  std::size_t rowsEnd = 0;
  long firstRow = 0;  // counted from 1 within the table, header row not counted
  long lastRow = 0;
  std::string_view title;  // the heading's text as written (HTML): sheet name or "Rows a - b"
};

// Where the pages of a grid document lie; no pages when it has no grid table.
struct GridPaging {
  // The document's head and title end where the first table's heading starts.
  std::size_t headEnd = 0;
  std::size_t tailStart = 0;  // the document's tail follows the last table's end
  std::vector<GridPage> pages;
  // How many pages, from the first, have their row numbers counted.
  std::size_t rowsCounted = 0;
  // Whether every page is cut; when not, pages holds the first ones only.
  bool complete = true;
};

// Cuts each grid table of the document into pages of whole rows of about pageBytes each;
// every page holds at least one row, a table without rows gives one page. Each search
// covers one page's bytes and a row beyond, and cutting stops after maxPages pages (leaving
// the paging incomplete); the pages' row numbers are left to countGridRows.
GridPaging cutGridPages(std::string_view document, std::size_t pageBytes,
                        std::size_t maxPages = std::size_t(-1));

// Counts the rows of the pages not yet counted up to and including throughPage, which sets
// their firstRow and lastRow.
void countGridRows(std::string_view document, GridPaging& paging, std::size_t throughPage);

// Cuts the document into pages and counts the rows of all of them.
GridPaging splitGridPages(std::string_view document, std::size_t pageBytes);

// The page whose rows hold that offset of the document; none outside every page's rows.
std::optional<std::size_t> pageHolding(const GridPaging& paging, std::size_t offset);

// The page whose rows hold the cell anchor of that (unescaped) name, searched through the
// document or looked up in its index.
std::optional<std::size_t> findAnchorPage(std::string_view document, const GridPaging& paging,
                                          std::string_view anchor);
std::optional<std::size_t> findAnchorPage(const AnchorIndex& anchors, const GridPaging& paging,
                                          std::string_view anchor);

// The line above a page that names its rows (which must be counted) and leads to the pages
// before and after; the body starts with it.
std::string gridPageLine(const GridPaging& paging, std::size_t page, std::string_view fileName);

// The part of one page that changes from page to page: a line naming its rows (which must
// be counted) and leading to the pages before and after (links to fileName?page=N, N counted
// from 1), the table's heading, the page's rows and the table's end.
std::string gridPageBody(std::string_view document, const GridPaging& paging, std::size_t page,
                         std::string_view fileName);

// The markup of one page: the document's head, the page's body in the swapped part (see
// page_links.h) and the document's tail.
std::string gridPageMarkup(std::string_view document, const GridPaging& paging, std::size_t page,
                           std::string_view fileName);

// The page number a "page=N" query names, counted from 0; none when it names no page.
std::optional<std::size_t> pageOfQuery(std::string_view query, const GridPaging& paging);

}  // namespace quill
