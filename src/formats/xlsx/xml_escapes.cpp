#include "formats/xlsx/xml_escapes.h"

#include <cstdint>

#include "base/utf8.h"

namespace quill::xlsx {

namespace {
int hexValue(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  return -1;
}
}  // namespace

std::string decodeXmlEscapes(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '_' && i + 6 < text.size() && text[i + 1] == 'x' && text[i + 6] == '_') {
      std::uint32_t cp = 0;
      bool valid = true;
      for (std::size_t k = i + 2; k < i + 6; ++k) {
        int h = hexValue(text[k]);
        if (h < 0) valid = false;
        cp = cp * 16 + std::uint32_t(h < 0 ? 0 : h);
      }
      if (valid) {
        // A high surrogate followed by an escaped low surrogate makes one character.
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 13 < text.size() && text[i + 7] == '_' &&
            text[i + 8] == 'x' && text[i + 13] == '_') {
          std::uint32_t low = 0;
          bool lowValid = true;
          for (std::size_t k = i + 9; k < i + 13; ++k) {
            int h = hexValue(text[k]);
            if (h < 0) lowValid = false;
            low = low * 16 + std::uint32_t(h < 0 ? 0 : h);
          }
          if (lowValid && low >= 0xDC00 && low <= 0xDFFF) {
            appendUtf8(out, 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00));
            i += 14;
            continue;
          }
        }
        appendUtf8(out, cp);
        i += 7;
        continue;
      }
    }
    out.push_back(text[i++]);
  }
  return out;
}

}  // namespace quill::xlsx
