#include "engine/choose_comparison.h"

#include "engine/chosen_sheets.h"
#include "engine/columns_comparison.h"
#include "engine/range_comparison.h"
#include "engine/request_fields.h"
#include "engine/rows_comparison.h"
#include "engine/whole_workbook.h"
#include "formats/session.h"
#include "sheet/address.h"
#include "sheet/workbook.h"

namespace quill {

ComparisonKind chooseComparison(const ComparisonRequest& request) {
  switch (request.mode) {
    case Mode::Rows:
      return ComparisonKind::Rows;
    case Mode::Columns:
      return ComparisonKind::Columns;
    case Mode::Range:
      break;
  }
  const bool sheetNamed = request.sheet1 || request.sheet2;
  return sheetNamed ? ComparisonKind::Range : ComparisonKind::WholeWorkbook;
}

ComparisonOptions optionsInEffect(Mode mode, ComparisonOptions options) {
  options.matchKey = options.matchKey && mode != Mode::Range;
  return options;
}

ComparisonOptions optionsInEffect(const ComparisonRequest& request) {
  ComparisonOptions options = optionsInEffect(request.mode, request.options);
  if (chooseComparison(request) != ComparisonKind::WholeWorkbook) options.contents = {};
  return options;
}

std::optional<std::string> startCheckMessage(const ComparisonRequest& request) {
  if (request.mode == Mode::Rows && !request.endRow.empty() &&
      leadingNumber(request.endRow) < leadingNumber(request.startRow))
    return "Start row must not be greater than end row.";
  if (request.mode == Mode::Columns && !request.endColumn.empty()) {
    // Letters that name no column are left for the comparison to reject by name.
    const long start = columnNumber(trimBlanks(request.startColumn));
    const long end = columnNumber(trimBlanks(request.endColumn));
    if (start != 0 && end != 0 && start > end)
      return "Start column must not be greater than end column.";
  }
  return std::nullopt;
}

std::optional<std::string> startCheckMessage(const ComparisonRequest& request,
                                             const SpreadsheetSession& books) {
  if (auto message = startCheckMessage(request)) return message;
  const bool rowsEndOpen = request.mode == Mode::Rows && request.endRow.empty();
  const bool columnsEndOpen = request.mode == Mode::Columns && request.endColumn.empty();
  if (!rowsEndOpen && !columnsEndOpen) return std::nullopt;
  const std::optional<ChosenSheets> sheets = chosenSheetsIfPresent(request, books);
  if (!sheets) return std::nullopt;
  const Area used = usedAreaOfBoth(sheets->first, sheets->second);
  ComparisonRequest settled = request;
  if (rowsEndOpen) settled.endRow = std::to_string(used.lastRow);
  if (columnsEndOpen) settled.endColumn = columnLetters(used.lastColumn);
  return startCheckMessage(settled);
}

ComparisonOutcome runChosenComparison(ComparisonContext& context) {
  const ComparisonRequest& request = context.request;
  switch (chooseComparison(request)) {
    case ComparisonKind::WholeWorkbook:
      return compareWholeWorkbooks(context);
    case ComparisonKind::Range:
      return compareRange(context, request.range1, request.range2);
    case ComparisonKind::Rows:
      return compareRows(context);
    case ComparisonKind::Columns:
      return compareColumns(context);
  }
  return {};
}

}  // namespace quill
