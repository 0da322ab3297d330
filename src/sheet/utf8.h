#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quill {

// Appends a code point as UTF-8 (an invalid one as U+FFFD).
void appendUtf8(std::string& out, std::uint32_t codePoint);

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
