#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "formats/package/plain_xml_scanner.h"

// The characters of plain XML as PlainXmlScanner reads them: the bytes of names, spaces,
// the bytes text and attribute values cannot copy as they are, and the decoding of both.
namespace quill::plain_xml {

[[noreturn]] inline void leavePlainXml() {
  throw PlainXmlScanner::OutsidePlainXml{};
}

inline bool isSpace(char ch) {
  return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r';
}

constexpr bool isNameStart(char ch) {
  const char lower = char(ch | 0x20);
  return (lower >= 'a' && lower <= 'z') || ch == '_';
}

// The bytes of names as the scanner takes them, in a table: names are most of what it reads.
constexpr std::array<bool, 256> nameBytes() {
  std::array<bool, 256> name{};
  for (int byte = 0; byte < 0x80; ++byte)
    name[std::size_t(byte)] = isNameStart(char(byte)) || (byte >= '0' && byte <= '9') ||
                              byte == '-' || byte == '.' || byte == ':';
  return name;
}
inline constexpr std::array<bool, 256> kNameBytes = nameBytes();

inline bool isNameChar(char ch) {
  return kNameBytes[std::uint8_t(ch)];
}

// Bytes that text or an attribute value cannot copy as they are: references, control
// characters, line ends to normalise, the start of a tag, multi-byte characters to check.
constexpr std::array<bool, 256> specialBytes(bool inAttribute) {
  std::array<bool, 256> special{};
  for (int byte = 0; byte < 0x20; ++byte) special[std::size_t(byte)] = true;
  for (int byte = 0x80; byte < 0x100; ++byte) special[std::size_t(byte)] = true;
  special['&'] = special['<'] = true;
  if (!inAttribute) {
    special['\t'] = special['\n'] = false;
    special['>'] = true;  // "]]>" may not appear in text
  }
  return special;
}
inline constexpr std::array<bool, 256> kSpecialInText = specialBytes(false);
inline constexpr std::array<bool, 256> kSpecialInAttribute = specialBytes(true);

inline bool isSpecial(const std::array<bool, 256>& table, char ch) {
  return table[std::uint8_t(ch)];
}

// Appends text or an attribute value as the parser reports it: references decoded, line
// ends normalised (and, in a value, every tab and line end made a space), characters
// checked. The value of an attribute ends at its quote, so '<' is refused there; text ends
// at '<', so "]]>" is. What plain XML does not allow throws OutsidePlainXml.
void appendDecoded(const char* p, const char* end, bool inAttribute, std::string& out);

// Whether text or an attribute value holds a byte that appendDecoded must look at.
bool needsDecoding(const char* p, const char* end, bool inAttribute);

}  // namespace quill::plain_xml
