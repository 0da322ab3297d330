#pragma once

#include <string>
#include <string_view>

namespace quill::test {

// A cell text on one line of a test's listing: backslash, tab, line feed and carriage
// return written as escapes, so that a listing line never breaks.
inline std::string escapedText(std::string_view text) {
  std::string out;
  for (char ch : text) {
    switch (ch) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      default: out.push_back(ch);
    }
  }
  return out;
}

}  // namespace quill::test
