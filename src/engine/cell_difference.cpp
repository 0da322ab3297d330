#include "engine/cell_difference.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/loose_text.h"
#include "engine/number_text.h"

namespace quill {

namespace {

bool hasTolerance(const ComparisonOptions& options) {
  return options.absoluteTolerance > 0 || options.relativeTolerance > 0;
}

// The gap is measured on doubles, which hold the decimal texts only to within a few units
// of their last place: a gap that differs from the tolerance by no more than that (1 and
// 1.01 under 0.01) is within it.
bool numbersWithinTolerance(const ComparisonOptions& options, double a, double b) {
  const double larger = std::max(std::fabs(a), std::fabs(b));
  const double gap = std::fabs(a - b) - 4 * std::numeric_limits<double>::epsilon() * larger;
  return gap <= options.absoluteTolerance || gap <= options.relativeTolerance * larger;
}

// The comparison of two texts that are not equal byte for byte under the loosening options.
bool looseMatch(const ComparisonOptions& options, std::string_view text1, std::string_view text2) {
  if (hasTolerance(options)) {
    const std::optional<double> number1 = numberInText(text1);
    if (number1) {
      // Two numbers are decided by their values alone.
      if (const std::optional<double> number2 = numberInText(text2))
        return numbersWithinTolerance(options, *number1, *number2);
    }
  }
  if (!options.ignoreCase && !options.ignoreSpaces) return false;
  return looseTextsEqual(text1, text2, options.ignoreCase, options.ignoreSpaces);
}

}  // namespace

bool textsMatch(const ComparisonOptions& options, std::string_view text1, std::string_view text2) {
  // Called for every cell: equal bytes settle it before any option is looked at.
  if (text1 == text2) return true;
  if (!options.ignoreCase && !options.ignoreSpaces && !hasTolerance(options)) return false;
  return looseMatch(options, text1, text2);
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
