#include "engine/range_comparison.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "engine/aligned_workbook.h"
#include "engine/chosen_sheets.h"
#include "engine/comparison_finish.h"
#include "engine/request_error.h"
#include "engine/request_fields.h"
#include "engine/row_loop.h"
#include "sheet/workbook.h"

namespace quill {

namespace {

constexpr std::string_view kField1 = "Range of Excel File #1";
constexpr std::string_view kField2 = "Range of Excel File #2";

// Fails when a range, grown to the compared size from its top-left cell, would pass the
// last row or column of its worksheet.
void checkFits(const Area& area, long rowCount, long columnCount, std::string_view field) {
  if (area.firstRow + rowCount - 1 > kMaxRows || area.firstColumn + columnCount - 1 > kMaxColumns)
    throw RequestError(std::string(field),
                       std::string(field) + ": " + absoluteAddress(area) + " cannot take " +
                           std::to_string(rowCount) + " rows and " + std::to_string(columnCount) +
                           " columns like the larger range; the worksheet ends at row 1048576 and "
                           "column XFD");
}

// Compares one area of each worksheet, each read where it lies over the larger height and
// width of the two, into one table; cells are named after the first area's cells.
void compareAreaPair(ComparisonContext& context, const ChosenSheets& sheets, const Area& area1,
                     const Area& area2, ResultSink& result) {
  const long rowCount = std::max(area1.rows(), area2.rows());
  const long columnCount = std::max(area1.columns(), area2.columns());
  checkFits(area1, rowCount, columnCount, kField1);
  checkFits(area2, rowCount, columnCount, kField2);

  std::vector<ColumnPair> columns;
  for (long c = 0; c < columnCount; ++c)
    columns.push_back({area1.firstColumn + c, area2.firstColumn + c});
  TableStart table = chosenTable(sheets, context.request);
  table.columns = columns;
  result.beginTable(table);
  RowProgress progress(context.progress);
  progress.begin(rowCount);
  const RowPairs rows = RowPairs::identity(area1.firstRow, area2.firstRow, rowCount);
  tellPairedRows(result, {sheets.first, sheets.second, rows, columns}, context.request.options,
                 progress);
  result.endTable();
}

}  // namespace

ComparisonOutcome compareRange(ComparisonContext& context, std::string range1, std::string range2) {
  if (range1.empty())
    range1 = range2;
  else if (range2.empty())
    range2 = range1;
  const ChosenSheets sheets = chosenSheets(context.request, context.session);
  const std::vector<Area> areas1 = rangeField(kField1, range1, sheets.first.name());
  const std::vector<Area> areas2 = rangeField(kField2, range2, sheets.second.name());
  // Each area of a range of several is compared with the area at the same place in the
  // other, each in a table of its own; none is left out.
  if (areas1.size() != areas2.size())
    throw RequestError(std::string(kField1) + " has " + std::to_string(areas1.size()) +
                       " areas and " + std::string(kField2) + " has " +
                       std::to_string(areas2.size()) +
                       "; give both the same number of areas, each compared with the area at "
                       "the same place in the other");
  CountingResult result(context.result);
  beginResult(context, result, "");
  for (std::size_t i = 0; i < areas1.size(); ++i) {
    if (context.request.options.align)
      tellAlignedAreas(result, chosenTable(sheets, context.request), sheets.first,
                       withinUsedArea(areas1[i], sheets.first), sheets.second,
                       withinUsedArea(areas2[i], sheets.second), context.request.options,
                       context.progress);
    else
      compareAreaPair(context, sheets, areas1[i], areas2[i], result);
  }
  return finishComparison(context, result);
}

}  // namespace quill
