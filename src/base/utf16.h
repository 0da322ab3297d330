#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quill {

// Turns UTF-16 code units, given one at a time, into UTF-8: a high surrogate followed by a
// low one makes one character; a half without its partner gives U+FFFD.
class Utf16Joiner {
 public:
  void append(std::string& out, std::uint32_t unit);
  // Ends the text: a high surrogate still waiting for its low half gives U+FFFD.
  void finish(std::string& out);
  // Whether a high surrogate waits for its low half.
  bool waiting() const { return high_ != 0; }

 private:
  std::uint32_t high_ = 0;
};

// Appends count UTF-16LE code units stored at bytes as UTF-8, joined as Utf16Joiner joins them.
void appendUtf16LittleEndian(std::string& out, const std::uint8_t* bytes, std::size_t count);

}  // namespace quill
