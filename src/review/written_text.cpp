#include "review/written_text.h"

#include "base/utf8.h"

namespace quill {

std::string wellFormedText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = std::uint8_t(text[i]);
    if (byte < 0x80) {
      out.push_back(char(byte));
      ++i;
      continue;
    }
    const Utf8Lead lead = utf8Lead(byte);
    bool whole = lead.length > 0 && i + lead.length <= text.size();
    for (std::size_t k = 1; whole && k < lead.length; ++k) {
      const auto next = std::uint8_t(text[i + k]);
      whole = k == 1 ? next >= lead.lower && next <= lead.upper : next >= 0x80 && next <= 0xBF;
    }
    if (whole) {
      out.append(text.substr(i, lead.length));
      i += lead.length;
    } else {
      appendUtf8(out, 0xFFFD);
      ++i;
    }
  }
  return out;
}

std::string writtenText(std::string_view text) {
  std::string out = wellFormedText(text.substr(0, kMaxWrittenText + 4));
  if (out.size() <= kMaxWrittenText) return out;
  std::size_t end = kMaxWrittenText;
  while (end > 0 && (std::uint8_t(out[end]) & 0xC0) == 0x80) --end;
  out.resize(end);
  return out;
}

}  // namespace quill
