#include "report/document_marker.h"

#include <algorithm>
#include <stdexcept>

#include "report/documents.h"

namespace quill {

void DocumentMarker::headsWritten(std::uint64_t listOffset, std::uint64_t gridOffset) {
  MarkedRun list;
  list.headingStart = listOffset - kListTableStart.size();
  list.rowsStart = listOffset;
  index_.list.headEnd = list.headingStart;
  index_.list.runs.push_back(std::move(list));
  index_.grid.headEnd = index_.grid.tailStart = gridOffset;
}

void DocumentMarker::tableBegun(std::uint64_t gridOffset, std::string title) {
  if (index_.grid.runs.empty()) index_.grid.headEnd = gridOffset;
  MarkedRun table;
  table.headingStart = table.rowsStart = gridOffset;
  table.title = std::move(title);
  index_.grid.runs.push_back(std::move(table));
  anchorOffset_ = gridOffset;
}

void DocumentMarker::lineBegun(std::uint64_t listOffset, std::uint64_t gridOffset, int gridRows) {
  if (index_.list.runs.empty() || index_.grid.runs.empty())
    throw std::logic_error("A line of the documents came outside a table");
  anchorOffset_ = gridOffset;
  // A line that writes nothing into the list leaves its mark to the next one.
  std::vector<RowMark>& listLines = index_.list.runs.front().lines;
  if (listLines.empty() || listLines.back().offset != listOffset)
    listLines.push_back({listOffset, differences_});
  if (gridRows <= 0) return;
  MarkedRun& table = index_.grid.runs.back();
  // Lines that open no row add to the header row, which the heading holds.
  if (table.lines.empty()) table.rowsStart = gridOffset;
  table.lines.push_back({gridOffset, table.total});
  table.total += std::uint64_t(gridRows);
}

void DocumentMarker::listed(std::string_view anchor) {
  index_.anchors.emplace_back(std::string(anchor), anchorOffset_);
  ++differences_;
}

void DocumentMarker::tableEnded(std::uint64_t gridOffset, std::uint64_t gridEnd) {
  if (index_.grid.runs.empty()) throw std::logic_error("A table ended before it began");
  MarkedRun& table = index_.grid.runs.back();
  if (table.lines.empty()) table.rowsStart = gridOffset;
  table.rowsEnd = gridOffset;
  index_.grid.tailStart = gridEnd;
}

DocumentIndex DocumentMarker::finish(std::uint64_t listOffset) {
  if (index_.list.runs.empty()) throw std::logic_error("The documents ended before they began");
  MarkedRun& list = index_.list.runs.front();
  list.rowsEnd = listOffset;
  list.total = differences_;
  // A mark at the very end starts no row.
  if (!list.lines.empty() && list.lines.back().offset >= listOffset) list.lines.pop_back();
  index_.list.tailStart = listOffset + kListTableEnd.size();
  // The first of equal names is the one the grid shows first.
  std::stable_sort(index_.anchors.begin(), index_.anchors.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  const auto repeated =
      std::unique(index_.anchors.begin(), index_.anchors.end(),
                  [](const auto& a, const auto& b) { return a.first == b.first; });
  index_.anchors.erase(repeated, index_.anchors.end());
  return std::move(index_);
}

}  // namespace quill
