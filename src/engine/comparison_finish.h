#pragma once

#include <string>

#include "engine/cell_comparison.h"
#include "engine/comparison.h"

namespace quill {

// The last steps of the range and keyed comparisons: removes the documents of an earlier
// run, writes the new pair with the caption and closes the session. Throws on the first
// failure, leaving the session open.
ComparisonOutcome finishComparison(ComparisonContext& context, const ReportBodies& bodies,
                                   const std::string& caption);

}  // namespace quill
