#include "formula/token_reading.h"

#include <charconv>

#include "base/utf16.h"
#include "base/utf8.h"

namespace quill {

void unreadable(std::string reason) {
  throw UnreadableFormula{std::move(reason)};
}

void TokenCursor::ranShort() const {
  unreadable("it ends inside a token");
}

std::string hexByte(std::uint8_t value) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  return std::string("0x") + kDigits[value >> 4] + kDigits[value & 0xF];
}

std::string utf16Chars(TokenCursor& in, std::size_t count) {
  std::string out;
  appendUtf16LittleEndian(out, in.bytes(count * 2).data(), count);
  return out;
}

std::string biffString(TokenCursor& in, bool wideLength) {
  const std::size_t count = wideLength ? in.u16() : in.u8();
  const bool doubleByte = (in.u8() & 0x01) != 0;
  if (doubleByte) return utf16Chars(in, count);
  std::string out;
  for (std::uint8_t byte : in.bytes(count)) appendUtf8(out, byte);
  return out;
}

std::string numberConstant(double value) {
  char buffer[32];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text(buffer, end);
  if (const auto e = text.find('e'); e != std::string::npos) {
    text[e] = 'E';
    if (e + 1 < text.size() && text[e + 1] != '-' && text[e + 1] != '+') text.insert(e + 1, "+");
  }
  return text;
}

std::string stringConstant(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    out += c;
    if (c == '"') out += '"';
  }
  return out + "\"";
}

std::string errorConstant(std::uint8_t code) {
  switch (code) {
    case 0x00:
      return "#NULL!";
    case 0x07:
      return "#DIV/0!";
    case 0x0F:
      return "#VALUE!";
    case 0x17:
      return "#REF!";
    case 0x1D:
      return "#NAME?";
    case 0x24:
      return "#NUM!";
    case 0x2A:
      return "#N/A";
    case 0x2B:
      return "#GETTING_DATA";
    default:
      unreadable("error code " + hexByte(code));
  }
}

}  // namespace quill
