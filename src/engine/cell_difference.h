#pragma once

#include <string_view>

#include "engine/comparison_options.h"
#include "engine/comparison_result.h"

namespace quill {

// Whether two cell texts count as equal under the options.
bool textsMatch(const ComparisonOptions& options, std::string_view text1, std::string_view text2);

// What the difference list reports for one cell position: nothing when the texts match (and,
// with formulas compared, the formulas are equal), a missing value in the file whose text is
// empty, a different value, or a different formula when only the formulas differ.
DifferenceKind cellDifference(const ComparisonOptions& options, std::string_view text1,
                              std::string_view text2, std::string_view formula1 = {},
                              std::string_view formula2 = {});

}  // namespace quill
