#pragma once

#include <optional>
#include <string>

#include "engine/comparison.h"

namespace quill {

// The comparisons a request can ask for.
enum class ComparisonKind { WholeWorkbook, Range, Rows, Columns };

// Range mode with no worksheet named on either side compares the whole workbooks;
// otherwise the mode decides.
ComparisonKind chooseComparison(const ComparisonRequest& request);

// The options as a comparison in the mode applies them: key matching is off in range mode,
// which does not use it, so nothing claims it.
ComparisonOptions optionsInEffect(Mode mode, ComparisonOptions options);
// The same for a whole request; besides, what the workbooks hold besides cell texts is
// compared between whole workbooks alone, so nothing else reads or claims it.
ComparisonOptions optionsInEffect(const ComparisonRequest& request);

// The message of the check made before a keyed comparison starts, when the end row or
// column lies before the start; nothing when the request may start.
std::optional<std::string> startCheckMessage(const ComparisonRequest& request);

// The same check with an end left empty read as the comparison reads it, the last row or
// column either chosen worksheet of the open workbooks uses; an end the workbooks cannot
// settle (no worksheet at a chosen position) is left for the comparison to report.
std::optional<std::string> startCheckMessage(const ComparisonRequest& request,
                                             const SpreadsheetSession& books);

// Runs the comparison the request asks for. The whole-workbook comparison reports its
// failures through the context's error box; the others throw.
ComparisonOutcome runChosenComparison(ComparisonContext& context);

}  // namespace quill
