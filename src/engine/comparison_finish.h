#pragma once

#include <string_view>

#include "engine/comparison.h"
#include "engine/counting_result.h"

namespace quill {

// Tells the result what the comparison is: the two paths, the date line and the caption,
// the mode's own caption followed by the options in use.
void beginResult(const ComparisonContext& context, ResultSink& result,
                 std::string_view modeCaption);

// The last steps of the range and keyed comparisons: tells the result that it is complete
// and closes the session. Throws on the first failure, leaving the session open.
ComparisonOutcome finishComparison(ComparisonContext& context, CountingResult& result);

}  // namespace quill
