#pragma once

#include <string>

#include "engine/comparison.h"

namespace quill {

// Compares one range of the chosen worksheet of each workbook cell by cell, over the
// larger height and width of the two, each range read where it lies; writes both
// documents and closes the session. An empty range text takes the other one. Failures
// propagate as exceptions (RequestError for a field that does not fit) and write nothing.
ComparisonOutcome compareRange(ComparisonContext& context, std::string range1, std::string range2);

}  // namespace quill
