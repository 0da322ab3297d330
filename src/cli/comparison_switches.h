#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/comparison_options.h"

namespace quill::cli {

// The switches of the compare command that take no value and turn one comparison option on:
// --ignore-case, --ignore-spaces, --formulas and --align. False for any other name.
bool setComparisonSwitch(std::string_view name, ComparisonOptions& options);

// Whether the option is --tolerance or --relative-tolerance.
bool isToleranceOption(std::string_view name);

// Stores the value of --tolerance or --relative-tolerance; false when the value is not a
// finite number of 0 or more.
bool storeTolerance(std::string_view name, std::string_view value, ComparisonOptions& options);

// What a tolerance option expects, for the message that refuses its value.
inline constexpr const char* kToleranceExpected = "expected a number of 0 or more, such as 0.001";

}  // namespace quill::cli
