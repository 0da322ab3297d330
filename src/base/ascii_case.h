#pragma once

#include <string>
#include <string_view>

namespace quill {

// The text with its ASCII letters in lower case and every other byte kept, for names that
// are matched in either case (file extensions, package part names, content types).
inline std::string asciiLowered(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return lowered;
}

}  // namespace quill
