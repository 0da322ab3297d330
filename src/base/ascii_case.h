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

// Whether text ends with suffix, ASCII letters matched in either case.
inline bool endsWithIgnoringCase(std::string_view text, std::string_view suffix) {
  if (text.size() < suffix.size()) return false;
  return asciiLowered(text.substr(text.size() - suffix.size())) == asciiLowered(suffix);
}

}  // namespace quill
