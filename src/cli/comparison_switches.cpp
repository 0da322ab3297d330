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
  } else if (name == "--exact-spaces") {
    options.exactSpaces = true;
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

ComparisonOptionRead readComparisonOption(const std::vector<std::string>& arguments,
                                          std::size_t& index, ComparisonOptions& options,
                                          std::set<std::string, std::less<>>& given,
                                          std::string_view prefix, std::ostream& err) {
  const std::string& argument = arguments[index];
  const std::size_t equals = argument.find('=');
  const std::string option = argument.substr(0, equals);
  const bool isSwitch = equals == std::string::npos && setComparisonSwitch(option, options);
  if (!isSwitch && !isToleranceOption(option)) return ComparisonOptionRead::NotOne;
  if (!given.insert(option).second) {
    err << prefix << option << " is given more than once\n";
    return ComparisonOptionRead::Refused;
  }
  if (isSwitch) return ComparisonOptionRead::Taken;
  if (equals == std::string::npos && index + 1 >= arguments.size()) {
    err << prefix << option << " needs a value\n";
    return ComparisonOptionRead::Refused;
  }
  const std::string value =
      equals == std::string::npos ? arguments[++index] : argument.substr(equals + 1);
  if (!storeTolerance(option, value, options)) {
    err << prefix << option << " does not take \"" << value << "\"; " << kToleranceExpected << "\n";
    return ComparisonOptionRead::Refused;
  }
  return ComparisonOptionRead::Taken;
}

}  // namespace quill::cli
