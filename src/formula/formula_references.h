#pragma once

#include <string>
#include <string_view>

namespace quill {

// Moves the relative references of an A1-style formula text (without its leading "=") by
// a number of rows and columns, as a formula copied from one cell to another has them
// moved: "A1*2" moved one row down gives "A2*2", "$A1" keeps its column, "$A$1" stays.
// Cell references, whole columns ("B:D") and whole rows ("2:9") move; string literals,
// quoted sheet names, bracketed parts and function names stay as they are. A reference
// moved off the worksheet becomes "#REF!".
std::string moveRelativeReferences(std::string_view formula, long rows, long columns);

// The formula as shown to users: the "_xlfn." and "_xlws." prefixes that files store before
// newer function names are removed outside string literals.
std::string withoutFunctionPrefixes(std::string_view formula);

}  // namespace quill
