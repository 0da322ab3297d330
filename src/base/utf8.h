#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quill {

// Appends a code point as UTF-8 (an invalid one as U+FFFD).
void appendUtf8(std::string& out, std::uint32_t codePoint);

// What a byte that may lead a well-formed UTF-8 sequence of two or more bytes asks of the
// rest, after the table of well-formed sequences in the Unicode standard: the sequence's
// length (0 for a byte that cannot lead one) and the range of its second byte; every later
// byte lies in 80..BF.
struct Utf8Lead {
  std::size_t length = 0;
  std::uint8_t lower = 0x80;
  std::uint8_t upper = 0xBF;
};

constexpr Utf8Lead utf8Lead(std::uint8_t lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return {2, 0x80, 0xBF};
  if (lead >= 0xE0 && lead <= 0xEF)
    return {3, std::uint8_t(lead == 0xE0 ? 0xA0 : 0x80), std::uint8_t(lead == 0xED ? 0x9F : 0xBF)};
  if (lead >= 0xF0 && lead <= 0xF4)
    return {4, std::uint8_t(lead == 0xF0 ? 0x90 : 0x80), std::uint8_t(lead == 0xF4 ? 0x8F : 0xBF)};
  return {};
}

// Checks text fed in blocks of any size for well-formed UTF-8: no stray continuation bytes,
// overlong forms, surrogates or code points past U+10FFFF, and no sequence cut off at the end.
class Utf8Check {
 public:
  void feed(std::string_view block);
  // Whether everything fed so far is well formed and ends on a whole character.
  bool valid() const { return valid_ && pending_ == 0; }

 private:
  bool valid_ = true;
  int pending_ = 0;          // continuation bytes still expected
  std::uint32_t lower_ = 0;  // the allowed range of the next continuation byte
  std::uint32_t upper_ = 0;
};

}  // namespace quill
