#include "base/utf8.h"

namespace quill {

void appendUtf8(std::string& out, std::uint32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  if (cp < 0x80) {
    out.push_back(char(cp));
  } else if (cp < 0x800) {
    out.push_back(char(0xC0 | (cp >> 6)));
    out.push_back(char(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(char(0xE0 | (cp >> 12)));
    out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(char(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(char(0xF0 | (cp >> 18)));
    out.push_back(char(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(char(0x80 | (cp & 0x3F)));
  }
}

void Utf8Check::feed(std::string_view block) {
  for (std::size_t i = 0; i < block.size() && valid_; ++i) {
    const auto byte = std::uint8_t(block[i]);
    if (pending_ > 0) {
      if (byte < lower_ || byte > upper_) {
        valid_ = false;
        break;
      }
      --pending_;
      lower_ = 0x80;
      upper_ = 0xBF;
      continue;
    }
    if (byte < 0x80) continue;
    const Utf8Lead lead = utf8Lead(byte);
    valid_ = lead.length > 0;
    pending_ = int(lead.length) - 1;
    lower_ = lead.lower;
    upper_ = lead.upper;
  }
}

}  // namespace quill
