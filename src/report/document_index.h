#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quill {

// Where a line of a document's rows starts, and how many rows (of the grid) or listed
// differences (of the list) stand before it in its run.
struct RowMark {
  std::uint64_t offset = 0;
  std::uint64_t before = 0;
};

// A run of rows under one heading: a grid table, or the difference list's table.
struct MarkedRun {
  std::uint64_t headingStart = 0;  // the heading, up to and including the header row ...
  std::uint64_t rowsStart = 0;     // ... ends where the rows start
  std::uint64_t rowsEnd = 0;       // where the run's closing tag starts
  std::string title;               // the heading's text as written (HTML); none for the list
  std::vector<RowMark> lines;      // in order; each line opens one row or more
  std::uint64_t total = 0;         // rows or listed differences of the whole run
};

// The head and the tail of a document around its runs, and the runs between them.
struct MarkedDocument {
  std::uint64_t headEnd = 0;    // where the first run's heading starts
  std::uint64_t tailStart = 0;  // just after the last run's closing tag
  std::vector<MarkedRun> runs;
};

// What the HTML writer recorded while it wrote report.htm and visualized.htm: where their
// rows lie, so that a viewer cuts them into pages without reading them, and where in the
// grid lies the place each listed difference links to.
struct DocumentIndex {
  MarkedDocument list;
  MarkedDocument grid;
  // Each anchor a row of the list links to, as plain text, with the offset in the grid of
  // the line or the heading that holds it; sorted by name, one entry a name.
  std::vector<std::pair<std::string, std::uint64_t>> anchors;

  // Where the grid holds that (plain text) anchor; none when no listed difference names it.
  std::optional<std::uint64_t> anchorOffset(std::string_view anchor) const;
};

}  // namespace quill
