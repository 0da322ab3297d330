#include "cli/comparison_switches.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "sheet/address.h"

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

bool storeContentsToCompare(std::string_view value, ComparisonOptions& options,
                            std::string& unknownWord) {
  ContentsToRead compared;
  std::size_t start = 0;
  while (start <= value.size()) {
    const std::size_t comma = std::min(value.find(',', start), value.size());
    const std::string_view word = trimBlanks(value.substr(start, comma - start));
    if (word == "all") {
      compared = ContentsToRead::all();
    } else if (bool ContentsToRead::*part = contentsPart(word)) {
      compared.*part = true;
    } else {
      unknownWord = std::string(word);
      return false;
    }
    start = comma + 1;
  }
  options.contents = compared;
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
  const bool contents = option == "--compare";
  if (!isSwitch && !isToleranceOption(option) && !contents) return ComparisonOptionRead::NotOne;
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
  if (contents) {
    std::string unknown;
    if (storeContentsToCompare(value, options, unknown)) return ComparisonOptionRead::Taken;
    err << prefix << "--compare does not take \"" << unknown << "\"; " << kContentsExpected << "\n";
    return ComparisonOptionRead::Refused;
  }
  if (!storeTolerance(option, value, options)) {
    err << prefix << option << " does not take \"" << value << "\"; " << kToleranceExpected << "\n";
    return ComparisonOptionRead::Refused;
  }
  return ComparisonOptionRead::Taken;
}

}  // namespace quill::cli
