#include "formats/xlsx/xml_escapes.h"

#include <cstdint>
#include <optional>

#include "base/utf16.h"

namespace quill::xlsx {

namespace {
int hexValue(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  return -1;
}

constexpr std::size_t kEscapeLength = 7;  // "_xHHHH_"

// The UTF-16 unit of a "_xHHHH_" escape at the start of text; nothing when none stands there.
std::optional<std::uint32_t> escapedUnit(std::string_view text) {
  if (text.size() < kEscapeLength || text[0] != '_' || text[1] != 'x' || text[6] != '_')
    return std::nullopt;
  std::uint32_t unit = 0;
  for (std::size_t k = 2; k < 6; ++k) {
    const int digit = hexValue(text[k]);
    if (digit < 0) return std::nullopt;
    unit = unit * 16 + std::uint32_t(digit);
  }
  return unit;
}

}  // namespace

std::string decodeXmlEscapes(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  // Escaped UTF-16 units, of which a high and a low surrogate in a row make one character.
  Utf16Joiner joiner;
  std::size_t i = 0;
  while (i < text.size()) {
    if (const auto unit = escapedUnit(text.substr(i))) {
      joiner.append(out, *unit);
      i += kEscapeLength;
      continue;
    }
    joiner.finish(out);
    out.push_back(text[i++]);
  }
  joiner.finish(out);
  return out;
}

}  // namespace quill::xlsx
