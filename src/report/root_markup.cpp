#include "report/root_markup.h"

#include <algorithm>
#include <cctype>

namespace quill {

namespace {

bool equalsIgnoringCase(std::string_view text, std::string_view lowerWord) {
  return std::equal(
      text.begin(), text.end(), lowerWord.begin(), lowerWord.end(),
      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

bool endsTagName(std::string_view text, std::size_t at) {
  return at < text.size() &&
         (text[at] == '>' || text[at] == '/' || std::isspace(static_cast<unsigned char>(text[at])));
}

// Where the first tag of the given name starts, or npos.
std::size_t findTag(std::string_view text, std::string_view lowerTag) {
  for (std::size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<', at + 1)) {
    if (equalsIgnoringCase(text.substr(at, lowerTag.size()), lowerTag) &&
        endsTagName(text, at + lowerTag.size()))
      return at;
  }
  return std::string_view::npos;
}

// Where the last tag of the given name starts, or npos.
std::size_t findLastTag(std::string_view text, std::string_view lowerTag) {
  for (std::size_t at = text.rfind('<'); at != std::string_view::npos;
       at = at == 0 ? std::string_view::npos : text.rfind('<', at - 1)) {
    if (equalsIgnoringCase(text.substr(at, lowerTag.size()), lowerTag) &&
        endsTagName(text, at + lowerTag.size()))
      return at;
  }
  return std::string_view::npos;
}

}  // namespace

std::string_view innerRootMarkup(std::string_view document) {
  const std::size_t start = findTag(document, "<html");
  if (start == std::string_view::npos) return document;
  const std::size_t open = document.find('>', start);
  const std::size_t end = findLastTag(document, "</html");
  if (open == std::string_view::npos || end == std::string_view::npos || end <= open)
    return document;
  return document.substr(open + 1, end - open - 1);
}

}  // namespace quill
