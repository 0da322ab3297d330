#pragma once

#include <string>
#include <vector>

#include "engine/comparison_result.h"
#include "report/cell_markup.h"
#include "report/grid_marks.h"

namespace quill {

// Draws one table of a result into the two document bodies: the grid table of
// visualized.htm and the rows of report.htm's difference list. Keeps what the lines of a
// table share: its layout, names and columns, which columns a changed key made paired, and
// the places its sheet pair's content differences mark.
class HtmlTable {
 public:
  // listed, when given, is told the anchor of each row the table adds to the list.
  HtmlTable(const TableStart& table, FilePaths files, ListedAnchors listed = {});

  // How many rows of the grid a line of that kind opens.
  static int gridRowsOf(LineKind kind);
  // The text of the table's heading (HTML), as the grid shows it.
  std::string title() const;

  void begin(std::string& report, std::string& grid);
  void line(const Line& line, std::string& report, std::string& grid);
  void end(std::string& report, std::string& grid) const;
  // The anchor the list's row for a content difference of this table links to; "" when the
  // grid drew no place for it.
  std::string contentAnchor(const ContentItem& item) { return marks_.drawnAnchor(item); }

 private:
  bool keyedLayout() const { return layout_ != TableLayout::Sheet; }
  bool oneSided() const { return !aligned_.inFirst || !aligned_.inSecond; }
  void appendAlignedCellOf(const CellPair& pair, std::string& grid) const;
  // Every row of the list gets an opening tag of its own in the keyed layouts, but for the
  // key rows of the keyed columns.
  bool listRowPerLine() const;
  void appendComparedLine(const Line& line, std::string& report, std::string& grid);
  void appendKeyedColumnCell(std::size_t index, const CellPair& pair, std::string_view cellName,
                             std::string& grid);
  void appendKeyHeader(const Line& line, std::string& grid) const;
  void appendChangedKeyLine(const Line& line, std::string& report, std::string& grid) const;
  std::string anchor(long row, long column) const;
  void appendRowHeader(long row, std::string_view label, std::string& grid);
  void appendColumnHeader(long column, std::string_view label, std::string& grid);
  // Draws the mark in place of a data cell or a header holding the text.
  static void appendMark(GridMark& mark, std::string_view text, std::string& grid);
  void list(std::string_view anchor) const { listed_(anchor); }

  // An aligned table keeps the whole start for its header and its changes.
  TableStart aligned_;
  std::string sheet1_, sheet2_;
  std::vector<ColumnPair> columns_;

  TableLayout layout_;
  bool keyed_;
  std::string heading_, firstLabel_, lastLabel_, anchorSheet_;
  long spanned_;
  std::vector<long> columnLabels_;  // column1 of each grid column
  std::vector<char> paired_;        // keyed columns: the column takes two grid cells
  FilePaths files_;
  ListedAnchors listed_;
  GridMarks marks_;
};

}  // namespace quill
