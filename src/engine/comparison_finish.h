#pragma once

#include <string>

#include "engine/cell_comparison.h"
#include "engine/comparison.h"

namespace quill {

// The last steps of the range and keyed comparisons: writes the new pair of documents with
// the caption in place of the old pair and closes the session. Throws on the first
// failure, leaving the session open and the old pair as it was.
ComparisonOutcome finishComparison(ComparisonContext& context, const ReportBodies& bodies,
                                   const std::string& caption);

}  // namespace quill
