#include "base/utf16.h"

#include "base/byte_cursor.h"
#include "base/utf8.h"

namespace quill {

namespace {

constexpr std::uint32_t kReplacement = 0xFFFD;

bool isHighSurrogate(std::uint32_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(std::uint32_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

void Utf16Joiner::append(std::string& out, std::uint32_t unit) {
  if (high_ != 0) {
    if (isLowSurrogate(unit)) {
      appendUtf8(out, 0x10000 + ((high_ - 0xD800) << 10) + (unit - 0xDC00));
      high_ = 0;
      return;
    }
    appendUtf8(out, kReplacement);
    high_ = 0;
  }
  if (isHighSurrogate(unit))
    high_ = unit;
  else
    appendUtf8(out, unit);  // a lone low half becomes U+FFFD there
}

void Utf16Joiner::finish(std::string& out) {
  if (high_ != 0) appendUtf8(out, kReplacement);
  high_ = 0;
}

void appendUtf16LittleEndian(std::string& out, const std::uint8_t* bytes, std::size_t count) {
  Utf16Joiner joiner;
  for (std::size_t i = 0; i < count; ++i) joiner.append(out, littleEndian16(bytes + 2 * i));
  joiner.finish(out);
}

}  // namespace quill
