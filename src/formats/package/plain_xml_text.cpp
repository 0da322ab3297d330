#include "formats/package/plain_xml_text.h"

#include <cstring>

#include "base/utf8.h"

namespace quill::plain_xml {

namespace {

// The length of the well-formed UTF-8 character of two or more bytes at p that XML allows
// (no surrogates, U+FFFE or U+FFFF), or 0.
std::size_t multiByteLength(const char* p, const char* end) {
  const auto byte = [&](std::size_t i) { return std::uint8_t(p[i]); };
  const std::uint8_t lead = byte(0);
  const auto [length, lower, upper] = utf8Lead(lead);
  if (length == 0) return 0;
  if (std::size_t(end - p) < length || byte(1) < lower || byte(1) > upper) return 0;
  for (std::size_t i = 2; i < length; ++i)
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  if (lead == 0xEF && byte(1) == 0xBF && byte(2) >= 0xBE) return 0;
  return length;
}

bool isXmlChar(std::uint32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
         (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// Decodes the reference after the '&' at p into out; gives the position after its ';'.
const char* decodeReference(const char* p, const char* end, std::string& out) {
  const char* semicolon = static_cast<const char*>(std::memchr(p, ';', std::size_t(end - p)));
  if (semicolon == nullptr) leavePlainXml();
  const std::string_view name(p, std::size_t(semicolon - p));
  if (name == "lt") {
    out.push_back('<');
  } else if (name == "gt") {
    out.push_back('>');
  } else if (name == "amp") {
    out.push_back('&');
  } else if (name == "quot") {
    out.push_back('"');
  } else if (name == "apos") {
    out.push_back('\'');
  } else if (name.size() >= 2 && name[0] == '#') {
    const bool hex = name[1] == 'x';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    if (digits.empty() || digits.size() > 8) leavePlainXml();
    std::uint32_t code = 0;
    for (const char ch : digits) {
      std::uint32_t digit;
      if (ch >= '0' && ch <= '9') {
        digit = std::uint32_t(ch - '0');
      } else if (hex && (ch | 0x20) >= 'a' && (ch | 0x20) <= 'f') {
        digit = std::uint32_t((ch | 0x20) - 'a' + 10);
      } else {
        leavePlainXml();
      }
      code = code * (hex ? 16 : 10) + digit;
    }
    if (!isXmlChar(code)) leavePlainXml();
    appendUtf8(out, code);
  } else {
    leavePlainXml();
  }
  return semicolon + 1;
}

}  // namespace

void appendDecoded(const char* p, const char* end, bool inAttribute, std::string& out) {
  const std::array<bool, 256>& special = inAttribute ? kSpecialInAttribute : kSpecialInText;
  const char* const begin = p;
  while (p < end) {
    const char* plain = p;
    while (p < end && !isSpecial(special, *p)) ++p;
    out.append(plain, std::size_t(p - plain));
    if (p == end) break;
    const char ch = *p;
    if (ch == '&') {
      p = decodeReference(p + 1, end, out);
    } else if (ch == '\r' || ch == '\n' || ch == '\t') {
      const bool crlf = ch == '\r' && p + 1 < end && p[1] == '\n';
      out.push_back(inAttribute ? ' ' : ch == '\t' ? '\t' : '\n');
      p += crlf ? 2 : 1;
    } else if (ch == '>') {
      if (p - begin >= 2 && p[-1] == ']' && p[-2] == ']') leavePlainXml();
      out.push_back('>');
      ++p;
    } else if (std::uint8_t(ch) >= 0x80) {
      const std::size_t length = multiByteLength(p, end);
      if (length == 0) leavePlainXml();
      out.append(p, length);
      p += length;
    } else {
      leavePlainXml();  // '<' in a value, or a control character
    }
  }
}

bool needsDecoding(const char* p, const char* end, bool inAttribute) {
  const std::array<bool, 256>& special = inAttribute ? kSpecialInAttribute : kSpecialInText;
  for (; p < end; ++p)
    if (isSpecial(special, *p)) return true;
  return false;
}

}  // namespace quill::plain_xml
