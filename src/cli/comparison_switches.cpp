#include "cli/comparison_switches.h"

#include <charconv>
#include <cmath>

namespace quill::cli {

bool setComparisonSwitch(std::string_view name, ComparisonOptions& options) {
  if (name == "--ignore-case") {
    options.ignoreCase = true;
  } else if (name == "--ignore-spaces") {
    options.ignoreSpaces = true;
  } else if (name == "--formulas") {
    options.formulas = true;
  } else if (name == "--align") {
    options.align = true;
  } else {
    return false;
  }
  return true;
}

bool isToleranceOption(std::string_view name) {
  return name == "--tolerance" || name == "--relative-tolerance";
}

bool storeTolerance(std::string_view name, std::string_view value, ComparisonOptions& options) {
  double number = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
  if (value.empty() || error != std::errc() || end != value.data() + value.size() ||
      !std::isfinite(number) || number < 0)
    return false;
  (name == "--tolerance" ? options.absoluteTolerance : options.relativeTolerance) = number;
  return true;
}

}  // namespace quill::cli
