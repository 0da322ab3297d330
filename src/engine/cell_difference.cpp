#include "engine/cell_difference.h"

namespace quill {

bool textsMatch(const ComparisonOptions& options, std::string_view text1, std::string_view text2) {
  (void)options;
  return text1 == text2;
}

DifferenceKind cellDifference(const ComparisonOptions& options, std::string_view text1,
                              std::string_view text2, std::string_view formula1,
                              std::string_view formula2) {
  if (!textsMatch(options, text1, text2)) {
    if (text2.empty()) return DifferenceKind::MissingInSecond;
    if (text1.empty()) return DifferenceKind::MissingInFirst;
    return DifferenceKind::DifferentValue;
  }
  if (options.formulas && formula1 != formula2) return DifferenceKind::DifferentFormula;
  return DifferenceKind::None;
}

}  // namespace quill
