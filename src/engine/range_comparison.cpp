#include "engine/range_comparison.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "engine/cell_comparison.h"
#include "engine/chosen_sheets.h"
#include "engine/comparison_finish.h"
#include "engine/request_error.h"
#include "engine/request_fields.h"
#include "report/templates.h"
#include "sheet/workbook.h"

namespace quill {

namespace {

// Fails when a range, grown to the compared size from its top-left cell, would pass the
// last row or column of its worksheet.
void checkFits(const Area& area, long rowCount, long columnCount, std::string_view field) {
  if (area.firstRow + rowCount - 1 > kMaxRows || area.firstColumn + columnCount - 1 > kMaxColumns)
    throw RequestError(std::string(field) + ": " + absoluteAddress(area) + " cannot take " +
                       std::to_string(rowCount) + " rows and " + std::to_string(columnCount) +
                       " columns like the larger range; the worksheet ends at row 1048576 and "
                       "column XFD");
}

}  // namespace

ComparisonOutcome compareRange(ComparisonContext& context, std::string range1, std::string range2) {
  if (range1.empty())
    range1 = range2;
  else if (range2.empty())
    range2 = range1;
  const ChosenSheets sheets = chosenSheets(context.request, context.session);
  const Area area1 = areaField("Range of Excel File #1", range1);
  const Area area2 = areaField("Range of Excel File #2", range2);
  const long rowCount = std::max(area1.rows(), area2.rows());
  const long columnCount = std::max(area1.columns(), area2.columns());
  checkFits(area1, rowCount, columnCount, "Range of Excel File #1");
  checkFits(area2, rowCount, columnCount, "Range of Excel File #2");

  ReportBodies bodies;
  const std::string& sheetName = sheets.first.name();
  appendSheetHeading(bodies.grid, sheetName, columnCount);
  appendHeaderCorner(bodies.grid);
  for (long c = 0; c < columnCount; ++c)
    appendHeaderCell(bodies.grid, columnLetters(area1.firstColumn + c));
  if (rowCount > 0) context.progress.setMaximum(rowCount);
  std::vector<std::string_view> texts1(static_cast<std::size_t>(columnCount));
  std::vector<std::string_view> texts2(texts1.size());
  for (long r = 0; r < rowCount; ++r) {
    const long row1 = area1.firstRow + r, row2 = area2.firstRow + r;
    appendRowStart(bodies.grid);
    appendHeaderCell(bodies.grid, row1);
    sheets.first.rowTexts(row1, area1.firstColumn, texts1);
    sheets.second.rowTexts(row2, area2.firstColumn, texts2);
    for (long c = 0; c < columnCount; ++c) {
      appendCellComparison(bodies, context.request, sheetName, row1, area1.firstColumn + c,
                           texts1[std::size_t(c)], texts2[std::size_t(c)]);
    }
    context.progress.setValue(r + 1);
  }
  appendTableEnd(bodies.grid);
  return finishComparison(context, bodies, "");
}

}  // namespace quill
