#pragma once

#include <optional>
#include <utility>

#include "engine/comparison_result.h"
#include "engine/request.h"
#include "sheet/address.h"

namespace quill {

class Worksheet;
struct SpreadsheetSession;

// The worksheet each workbook compares in a range or keyed comparison.
struct ChosenSheets {
  const Worksheet& first;
  const Worksheet& second;
};

// The worksheet positions the two sides use: a side with no worksheet chosen takes the other
// side's position; none when neither side names one.
std::pair<std::optional<int>, std::optional<int>> settledSheetPositions(
    const ComparisonRequest& request);

// The chosen worksheets of the session's two workbooks. Throws RequestError when neither
// side names a worksheet or a workbook has none at its position, and std::runtime_error
// when the session does not hold both workbooks.
ChosenSheets chosenSheets(const ComparisonRequest& request, const SpreadsheetSession& session);

// The chosen worksheets where both workbooks are open and hold a worksheet at the settled
// positions; nothing otherwise, which is left for the comparison to report.
std::optional<ChosenSheets> chosenSheetsIfPresent(const ComparisonRequest& request,
                                                  const SpreadsheetSession& session);

// A table of the chosen worksheets: their names and positions, anchors named after the first;
// the layout and columns are left for the comparison to fill in.
TableStart chosenTable(const ChosenSheets& sheets, const ComparisonRequest& request);

// The smallest area holding both worksheets' used areas: where either holds cells.
Area usedAreaOfBoth(const Worksheet& first, const Worksheet& second);

}  // namespace quill
