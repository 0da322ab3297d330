#include "engine/comparison_options.h"

#include <charconv>
#include <vector>

namespace quill {

namespace {

// The shortest text that reads back as the same double, such as "1e-09" or "0.5".
std::string shortestText(double value) {
  char buffer[32];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return error == std::errc() ? std::string(buffer, end) : std::string();
}

// The names of the options not at their defaults, in the order the options are declared.
std::vector<std::string> namedOptions(const ComparisonOptions& options) {
  std::vector<std::string> names;
  if (options.absoluteTolerance > 0)
    names.push_back("numeric tolerance " + shortestText(options.absoluteTolerance));
  if (options.relativeTolerance > 0)
    names.push_back("relative tolerance " + shortestText(options.relativeTolerance));
  if (options.ignoreCase) names.push_back("ignore case");
  if (options.ignoreSpaces) names.push_back("ignore spaces");
  if (options.formulas) names.push_back("compare formulas");
  if (options.exactSpaces) names.push_back("exact leading and trailing spaces");
  if (options.align) names.push_back("align inserted and deleted rows, columns and sheets");
  if (options.matchKey) names.push_back("match by identifying columns or rows");
  if (options.contents.any()) {
    std::string compared = "compare";
    for (int i = 0; i < kContentsWords; ++i)
      if (options.contents.*contentsPart(contentsWords()[i]))
        compared += std::string(compared.size() > 7 ? ", " : " ") + contentsWords()[i];
    names.push_back(compared);
  }
  return names;
}

}  // namespace

const char* const* contentsWords() {
  static const char* const words[kContentsWords] = {"notes",  "names",   "hidden",
                                                    "merged", "formats", "macros"};
  return words;
}

bool ContentsToRead::*contentsPart(std::string_view word) {
  static bool ContentsToRead::*const parts[kContentsWords] = {
      &ContentsToRead::notes,  &ContentsToRead::names,   &ContentsToRead::hidden,
      &ContentsToRead::merged, &ContentsToRead::formats, &ContentsToRead::macros};
  for (int i = 0; i < kContentsWords; ++i)
    if (word == contentsWords()[i]) return parts[i];
  return nullptr;
}

std::string captionWithOptions(std::string_view caption, const ComparisonOptions& options) {
  const std::vector<std::string> names = namedOptions(options);
  std::string result(caption);
  if (names.empty()) return result;
  if (!result.empty()) result += '\n';
  result += "Options: ";
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) result += "; ";
    result += names[i];
  }
  return result;
}

}  // namespace quill
