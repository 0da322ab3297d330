#pragma once

#include <cstdint>
#include <string_view>

namespace quill {

// A built-in worksheet function as parsed-expression tokens call it by number.
struct FormulaFunction {
  std::string_view name;  // "" when the number is unknown
  int argumentCount;      // for calls that do not store it; -1 when it varies
};

// The function of a token's function number (0 is COUNT, 4 is SUM); name "" when unknown.
FormulaFunction formulaFunction(std::uint16_t number);

}  // namespace quill
