#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "formula/parsed_formula.h"
#include "formula/token_reading.h"

namespace quill {

// Reads what a formula's tokens keep in the extra data after them, one token's part after
// another in token order: the values of array constants and the areas of memory tokens.
class ExtraData {
 public:
  ExtraData(std::span<const std::uint8_t> extra, FormulaDialect dialect)
      : extra_(extra), dialect_(dialect) {}

  // The next array constant as a formula shows it: "{1,2;"a",TRUE}".
  std::string arrayConstant();
  // Passes over the areas of the next memory token, which the formula's text does not show.
  void skipMemoryAreas();

 private:
  TokenCursor rest() const;
  std::string arrayValue(TokenCursor& in) const;
  std::string xlsbArrayValue(TokenCursor& in) const;

  std::span<const std::uint8_t> extra_;
  std::size_t used_ = 0;
  FormulaDialect dialect_;
};

}  // namespace quill
