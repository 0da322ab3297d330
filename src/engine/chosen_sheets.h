#pragma once

#include <utility>

#include "engine/request.h"

namespace quill {

class Worksheet;
struct SpreadsheetSession;

// The worksheet each workbook compares in a range or keyed comparison.
struct ChosenSheets {
  const Worksheet& first;
  const Worksheet& second;
};

// The worksheet positions the two sides use: a side with no worksheet chosen (position -1,
// or the blank entry 0) takes the other side's position, read before either is replaced.
std::pair<int, int> settledSheetPositions(const ComparisonRequest& request);

// The chosen worksheets of the session's two workbooks. Throws RequestError when neither
// side names a worksheet or a workbook has none at its position, and std::runtime_error
// when the session does not hold both workbooks.
ChosenSheets chosenSheets(const ComparisonRequest& request, const SpreadsheetSession& session);

}  // namespace quill
