#pragma once

#include <optional>
#include <string_view>

namespace quill {

// The value of a cell text that is written as a plain number: an optional sign, digits with
// an optional fraction, and an optional exponent ("12", "-2.5", "0.00001", "1.5E-07",
// "1e5"). Dates, times, percentages, thousands separators, blanks, "inf", "nan" and values
// beyond the range of a double are not numbers.
std::optional<double> numberInText(std::string_view text);

}  // namespace quill
