#pragma once

#include <map>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/content_items.h"
#include "report/content_marks.h"

namespace quill {

// One marked place of the grid: the anchor the list's link lands on, how it is drawn, its
// tooltip (HTML, each difference on a line of its own), and whether the grid drew it yet.
struct GridMark {
  std::string anchor;
  MarkStyle style = MarkStyle::Note;
  std::string title;
  bool drawn = false;
};

// The differences of one sheet pair in what it holds besides cell texts, by the place of
// the grid that shows them: a cell (notes, formats, a merged range's first cell), the header
// of a row or a column (hidden or shown), or the list under the table's heading (a sheet's
// visibility, rows and columns hidden or shown, merged ranges). Places are those of file 1;
// what file 1 has no place for is in the heading's list alone.
class GridMarks {
 public:
  GridMarks(std::span<const ContentItem> items, std::string_view anchorSheet);

  bool empty() const { return cells_.empty() && rows_.empty() && columns_.empty(); }
  // The mark of a cell, of a row's header and of a column's header; null where none is.
  GridMark* cell(long row, long column);
  GridMark* row(long row) { return inRun(rows_, row); }
  GridMark* column(long column) { return inRun(columns_, column); }
  // The items the table's heading lists.
  const std::vector<ContentItem>& listed() const { return listed_; }
  // The anchor the list's row for the item links to; "" when the grid drew no place for it.
  std::string drawnAnchor(const ContentItem& item);

 private:
  // Runs of rows or columns by their first: the last and the mark.
  using Runs = std::map<long, std::pair<long, GridMark>>;
  static GridMark* inRun(Runs& runs, long line);
  GridMark* markOf(const ContentItem& item);
  void addCell(const ContentItem& item, MarkStyle style);
  void addRun(Runs& runs, long first, const ContentItem& item, MarkStyle style);

  std::string sheet_;
  std::map<std::pair<long, long>, GridMark> cells_;
  Runs rows_;
  Runs columns_;
  std::vector<ContentItem> listed_;
};

}  // namespace quill
