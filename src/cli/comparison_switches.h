#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "engine/comparison_options.h"

namespace quill::cli {

// The switches of the compare command that take no value and turn one comparison option on:
// --ignore-case, --ignore-spaces, --formulas, --align and --exact-spaces. False for any other name.
bool setComparisonSwitch(std::string_view name, ComparisonOptions& options);

// Whether the option is --tolerance or --relative-tolerance.
bool isToleranceOption(std::string_view name);

// Stores the value of --tolerance or --relative-tolerance; false when the value is not a
// finite number of 0 or more.
bool storeTolerance(std::string_view name, std::string_view value, ComparisonOptions& options);

// Stores the value of --compare: contents words separated by commas ("notes,names"), or
// "all"; false when a word names nothing, which is then in unknownWord.
bool storeContentsToCompare(std::string_view value, ComparisonOptions& options,
                            std::string& unknownWord);

// What --compare expects, for the message that refuses its value.
inline constexpr const char* kContentsExpected =
    "expected notes, names, hidden, merged, formats, macros or all, separated by commas";

// How reading one argument as a comparison option went.
enum class ComparisonOptionRead { NotOne, Taken, Refused };

// Reads the argument at index as one of compare's comparison options (a switch above, or a
// tolerance or --compare with its value after "=" or in the next argument, which index then
// passes), for
// the commands that take them as compare does. On a mistake (a value missing or wrong, an
// option given twice per given) writes one line after prefix to err.
ComparisonOptionRead readComparisonOption(const std::vector<std::string>& arguments,
                                          std::size_t& index, ComparisonOptions& options,
                                          std::set<std::string, std::less<>>& given,
                                          std::string_view prefix, std::ostream& err);

// What a tolerance option expects, for the message that refuses its value.
inline constexpr const char* kToleranceExpected = "expected a number of 0 or more, such as 0.001";

}  // namespace quill::cli
