#include "report/shown_text_search.h"

#include <string>

#include "report/escape.h"

namespace quill {

namespace {

char foldCase(char byte) {
  return byte >= 'A' && byte <= 'Z' ? char(byte - 'A' + 'a') : byte;
}

}  // namespace

bool shownTextContains(std::string_view markup, std::string_view text) {
  if (text.empty()) return false;
  std::string needle;
  appendCellTextEscaped(needle, text);
  for (char& byte : needle) byte = foldCase(byte);
  // The escaped needle holds no '<', so a match that starts outside a tag stays outside.
  bool inTag = false;
  const std::size_t last = markup.size() < needle.size() ? 0 : markup.size() - needle.size() + 1;
  for (std::size_t at = 0; at < last; ++at) {
    const char byte = markup[at];
    if (byte == '<') inTag = true;
    if (inTag) {
      if (byte == '>') inTag = false;
      continue;
    }
    if (foldCase(byte) != needle[0]) continue;
    std::size_t matched = 1;
    while (matched < needle.size() && foldCase(markup[at + matched]) == needle[matched]) ++matched;
    if (matched == needle.size()) return true;
  }
  return false;
}

}  // namespace quill
