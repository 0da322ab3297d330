#include "engine/columns_comparison.h"

#include <string>
#include <string_view>
#include <vector>

#include "engine/cell_comparison.h"
#include "engine/chosen_sheets.h"
#include "engine/comparison_finish.h"
#include "engine/keyed_area.h"
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
// identifying rows with the columns that turned out paired.
class ColumnsBuilder {
 public:
  ColumnsBuilder(ComparisonContext& context, const ChosenSheets& sheets, const Area& area)
      : context_(context), sheets_(sheets), area_(area), paired_(std::size_t(area.columns()), 0) {}

  void appendPlainHeaderRow();
  void appendPlainRow(long row, bool shown);
  // keyRow 0: no row is a key, so no column gets a header cell.
  void appendKeyHeaderRow(long keyRow);
  void appendIdentifyingRow(long row);
  ReportBodies& bodies() { return bodies_; }

 private:
  long column(long c) const { return area_.firstColumn + c; }
  void appendKeyedCell(long row, long c, std::string_view text1, std::string_view text2);

  ComparisonContext& context_;
  const ChosenSheets& sheets_;
  const Area& area_;
  std::vector<char> paired_;
  ReportBodies bodies_;
};

void ColumnsBuilder::appendPlainHeaderRow() {
  appendHeaderCorner(bodies_.grid);
  for (long c = 0; c < area_.columns(); ++c)
    appendHeaderCell(bodies_.grid, columnLetters(column(c)));
}

void ColumnsBuilder::appendPlainRow(long row, bool shown) {
  appendRowStart(bodies_.grid);
  appendRowStart(bodies_.report);
  if (!shown) return;
  appendHeaderCell(bodies_.grid, row);
  for (long c = 0; c < area_.columns(); ++c)
    appendCellComparison(bodies_, context_.request, sheets_.first.name(), row, column(c),
                         sheets_.first.cellText(row, column(c)),
                         sheets_.second.cellText(row, column(c)));
}

void ColumnsBuilder::appendKeyHeaderRow(long keyRow) {
  appendHeaderCorner(bodies_.grid);
  if (keyRow == 0) return;
  for (long c = 0; c < area_.columns(); ++c) {
    const std::string letters = columnLetters(column(c));
    const std::string_view text1 = sheets_.first.cellText(keyRow, column(c));
    const std::string_view text2 = sheets_.second.cellText(keyRow, column(c));
    if (text1.empty() || text2.empty() || text1 == text2) {
      appendHeaderCell(bodies_.grid, letters);
      continue;
    }
    const std::string anchor = cellAnchor(sheets_.first.name(), keyRow, column(c));
    appendAddedCell(bodies_.grid, context_.request.path1, anchor, letters);
    appendRemovedCell(bodies_.grid, context_.request.path1, anchor, letters);
  }
}

void ColumnsBuilder::appendIdentifyingRow(long row) {
  appendHeaderCell(bodies_.grid, row);
  for (long c = 0; c < area_.columns(); ++c)
    appendKeyedCell(row, c, sheets_.first.cellText(row, column(c)),
                    sheets_.second.cellText(row, column(c)));
}

// A column once changed in both files takes two grid cells from then on.
void ColumnsBuilder::appendKeyedCell(long row, long c, std::string_view text1,
                                     std::string_view text2) {
  std::string& grid = bodies_.grid;
  const bool paired = paired_[std::size_t(c)] != 0;
  if (text1 == text2) {
    paired ? appendPairedDataCell(grid, text1) : appendDataCell(grid, text1);
    return;
  }
  const ComparisonRequest& request = context_.request;
  const std::string anchor = cellAnchor(sheets_.first.name(), row, column(c));
  appendDifferenceRow(bodies_, request, anchor, text1, text2);
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

}  // namespace

ComparisonOutcome compareColumns(ComparisonContext& context) {
  const ComparisonRequest& request = context.request;
  const ChosenSheets sheets = chosenSheets(request, context.session);
  const KeyedArea keyed = columnsModeArea(request, sheets);
  const auto [identifying, ignored] = keyRows(request, keyed);
  const Area& area = keyed.area;
  const bool keyedMode = !identifying.empty();
  const std::vector<char> shown = shownRows(area, identifying, ignored, keyedMode);

  ColumnsBuilder builder(context, sheets, area);
  ReportBodies& bodies = builder.bodies();
  appendColumnsHeading(bodies.grid, keyed.startLetters, keyed.endLetters, area.columns());
  if (area.rows() >= 1) context.progress.setMaximum(area.rows());
  appendTableStart(bodies.report);
  if (!keyedMode) {
    builder.appendPlainHeaderRow();
    for (long r = 0; r < area.rows(); ++r) {
      builder.appendPlainRow(area.firstRow + r, shown[std::size_t(r)] != 0);
      context.progress.setValue(r + 1);
    }
  } else {
    long keyRow = 0;
    for (long r = 0; r < area.rows() && keyRow == 0; ++r)
      if (shown[std::size_t(r)]) keyRow = area.firstRow + r;
    builder.appendKeyHeaderRow(keyRow);
    for (long r = 0; r < area.rows(); ++r) {
      appendRowStart(bodies.grid);
      if (shown[std::size_t(r)]) builder.appendIdentifyingRow(area.firstRow + r);
    }
  }
  appendTableEnd(bodies.grid);
  appendTableEnd(bodies.report);
  return finishComparison(context, bodies, keyedCaption(sheets, keyed, request, "rows"));
}

}  // namespace quill
