#include "engine/columns_comparison.h"

#include <string>
#include <string_view>
#include <vector>

#include "engine/cell_comparison.h"
#include "engine/chosen_sheets.h"
#include "engine/keyed_comparison.h"
#include "engine/request_fields.h"
#include "report/templates.h"
#include "sheet/workbook.h"

namespace quill {

namespace {

// Which rows of the area are shown and compared: those listed and not ignored; without
// a key list, every row not ignored.
std::vector<char> shownRows(const Area& area, const std::vector<long>& listed,
                            const std::vector<long>& ignored, bool keyed) {
  std::vector<char> shown(std::size_t(area.rows()), keyed ? 0 : 1);
  auto mark = [&](const std::vector<long>& rows, char value) {
    for (long row : rows)
      if (row >= area.firstRow && row <= area.lastRow)
        shown[std::size_t(row - area.firstRow)] = value;
  };
  if (keyed) mark(listed, 1);
  mark(ignored, 0);
  return shown;
}

// Builds the bodies of the column-keyed comparison: plain rows, or key header and
// identifying rows with the columns that turned out paired. With identifying rows the first
// one shown is the key.
class ColumnsBuilder final : public KeyedBodiesBuilder {
 public:
  ColumnsBuilder(ComparisonContext& context, const ChosenSheets& sheets, const Area& area,
                 const KeyLists& lists)
      : context_(context),
        sheets_(sheets),
        area_(area),
        keyed_(!lists.identifying.empty()),
        shown_(shownRows(area, lists.identifying, lists.ignored, keyed_)),
        paired_(std::size_t(area.columns()), 0) {}

  void appendHeaderRow(ReportBodies& bodies) override;
  void appendRow(ReportBodies& bodies, long row) override;

 private:
  long column(long c) const { return area_.firstColumn + c; }
  bool shown(long row) const { return shown_[std::size_t(row - area_.firstRow)] != 0; }
  long firstShownRow() const;
  void appendPlainHeaderRow(ReportBodies& bodies);
  void appendPlainRow(ReportBodies& bodies, long row);
  // keyRow 0: no row is a key, so no column gets a header cell.
  void appendKeyHeaderRow(ReportBodies& bodies, long keyRow);
  void appendIdentifyingRow(ReportBodies& bodies, long row);
  void appendKeyedCell(ReportBodies& bodies, long row, long c, std::string_view text1,
                       std::string_view text2);

  ComparisonContext& context_;
  const ChosenSheets& sheets_;
  const Area& area_;
  bool keyed_;
  std::vector<char> shown_;
  std::vector<char> paired_;
};

void ColumnsBuilder::appendHeaderRow(ReportBodies& bodies) {
  keyed_ ? appendKeyHeaderRow(bodies, firstShownRow()) : appendPlainHeaderRow(bodies);
}

void ColumnsBuilder::appendRow(ReportBodies& bodies, long row) {
  if (!keyed_) {
    appendPlainRow(bodies, row);
    return;
  }
  appendRowStart(bodies.grid);
  if (shown(row)) appendIdentifyingRow(bodies, row);
}

long ColumnsBuilder::firstShownRow() const {
  for (long row = area_.firstRow; row <= area_.lastRow; ++row)
    if (shown(row)) return row;
  return 0;
}

void ColumnsBuilder::appendPlainHeaderRow(ReportBodies& bodies) {
  appendHeaderCorner(bodies.grid);
  for (long c = 0; c < area_.columns(); ++c)
    appendHeaderCell(bodies.grid, columnLetters(column(c)));
}

void ColumnsBuilder::appendPlainRow(ReportBodies& bodies, long row) {
  appendRowStart(bodies.grid);
  appendRowStart(bodies.report);
  if (!shown(row)) return;
  appendHeaderCell(bodies.grid, row);
  for (long c = 0; c < area_.columns(); ++c)
    appendCellComparison(bodies, context_.request, sheets_.first.name(), row, column(c),
                         sheets_.first.cellText(row, column(c)),
                         sheets_.second.cellText(row, column(c)));
}

void ColumnsBuilder::appendKeyHeaderRow(ReportBodies& bodies, long keyRow) {
  appendHeaderCorner(bodies.grid);
  if (keyRow == 0) return;
  for (long c = 0; c < area_.columns(); ++c) {
    const std::string letters = columnLetters(column(c));
    const std::string_view text1 = sheets_.first.cellText(keyRow, column(c));
    const std::string_view text2 = sheets_.second.cellText(keyRow, column(c));
    if (text1.empty() || text2.empty() || text1 == text2) {
      appendHeaderCell(bodies.grid, letters);
      continue;
    }
    const std::string anchor = cellAnchor(sheets_.first.name(), keyRow, column(c));
    appendAddedCell(bodies.grid, context_.request.path1, anchor, letters);
    appendRemovedCell(bodies.grid, context_.request.path1, anchor, letters);
  }
}

void ColumnsBuilder::appendIdentifyingRow(ReportBodies& bodies, long row) {
  appendHeaderCell(bodies.grid, row);
  for (long c = 0; c < area_.columns(); ++c)
    appendKeyedCell(bodies, row, c, sheets_.first.cellText(row, column(c)),
                    sheets_.second.cellText(row, column(c)));
}

// A column once changed in both files takes two grid cells from then on.
void ColumnsBuilder::appendKeyedCell(ReportBodies& bodies, long row, long c, std::string_view text1,
                                     std::string_view text2) {
  std::string& grid = bodies.grid;
  const bool paired = paired_[std::size_t(c)] != 0;
  if (text1 == text2) {
    paired ? appendPairedDataCell(grid, text1) : appendDataCell(grid, text1);
    return;
  }
  const ComparisonRequest& request = context_.request;
  const std::string anchor = cellAnchor(sheets_.first.name(), row, column(c));
  appendDifferenceRow(bodies, request, anchor, text1, text2);
  if (text2.empty()) {
    paired ? appendPairedCommentCell(grid, request.path2, anchor, text1)
           : appendCommentCell(grid, request.path2, anchor, text1);
  } else if (text1.empty()) {
    paired ? appendPairedCommentCell(grid, request.path1, anchor, text2)
           : appendCommentCell(grid, request.path1, anchor, text2);
  } else {
    appendPairedChangedCell(grid, anchor, text1, text2);
    paired_[std::size_t(c)] = 1;
  }
}

void appendColumnsModeHeading(std::string& grid, const KeyedArea& keyed) {
  appendColumnsHeading(grid, keyed.startLetters, keyed.endLetters, keyed.area.columns());
}

std::unique_ptr<KeyedBodiesBuilder> columnsBuilder(ComparisonContext& context,
                                                   const ChosenSheets& sheets,
                                                   const KeyedArea& keyed, const KeyLists& lists) {
  return std::make_unique<ColumnsBuilder>(context, sheets, keyed.area, lists);
}

const KeyedMode kColumnsMode{columnsModeArea, keyRows, appendColumnsModeHeading, columnsBuilder,
                             "rows"};

}  // namespace

ComparisonOutcome compareColumns(ComparisonContext& context) {
  return compareKeyed(context, kColumnsMode);
}

}  // namespace quill
