#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "base/byte_cursor.h"
#include "formula/parsed_formula.h"

namespace quill {

// Raised while decoding a formula's tokens for what cannot be turned into text; the decoder
// catches it and gives the marked text of an unreadable formula instead.
struct UnreadableFormula {
  std::string reason;
};

[[noreturn]] void unreadable(std::string reason);

// Reads the little-endian fields of a formula's tokens or extra data; a read past their end
// makes the formula unreadable.
class TokenCursor final : public ByteCursor {
 public:
  explicit TokenCursor(std::span<const std::uint8_t> bytes) : ByteCursor(bytes) {}

 private:
  [[noreturn]] void ranShort() const override;
};

// The binary workbook's dialect, whose rows, strings and names are wider.
inline bool isXlsb(FormulaDialect dialect) {
  return dialect == FormulaDialect::Xlsb;
}
// BIFF2 to BIFF5: rows of 14 bits with the relative marks beside them, columns of a byte.
inline bool isBeforeBiff8(FormulaDialect dialect) {
  return dialect < FormulaDialect::Biff8;
}

// "0x1F", as texts of unreadable formulas name a token.
std::string hexByte(std::uint8_t value);
// count UTF-16 units as UTF-8.
std::string utf16Chars(TokenCursor& in, std::size_t count);
// A BIFF8 string with a one- or two-byte length and an option byte.
std::string biffString(TokenCursor& in, bool wideLength);
// A number as a formula shows it: shortest round trip, "1E+20" for large ones.
std::string numberConstant(double value);
// A text in double quotes, its quotes doubled.
std::string stringConstant(const std::string& text);
// An error constant by its code: "#DIV/0!" for 0x07.
std::string errorConstant(std::uint8_t code);

}  // namespace quill
