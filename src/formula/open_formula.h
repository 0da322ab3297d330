#pragma once

#include <string>
#include <string_view>

namespace quill::ods {

// Turns a table:formula attribute ("of:=SUM([.B2:.B9])*[$Prices.$C$1]") into the A1-style
// text a formula bar shows ("=SUM(B2:B9)*Prices!$C$1"): bracketed references lose their
// brackets and dots and gain "Sheet!" prefixes, ";" separates arguments as ",", array
// rows are parted by ";" instead of "|", "~" (union) becomes "," and "!" (intersection)
// a space. String literals stay as they are. A formula already in A1 style ("msoxl:=")
// only loses its prefix.
std::string openFormulaToA1(std::string_view formula);

}  // namespace quill::ods
