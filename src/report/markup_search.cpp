#include "report/markup_search.h"

#include <cstring>

namespace quill {

std::size_t findMarkup(std::string_view document, std::string_view needle, std::size_t from) {
  if (from > document.size()) return std::string_view::npos;
  if (needle.empty()) return from;
  const void* found =
      memmem(document.data() + from, document.size() - from, needle.data(), needle.size());
  if (!found) return std::string_view::npos;
  return std::size_t(static_cast<const char*>(found) - document.data());
}

std::size_t countMarkup(std::string_view part, std::string_view needle) {
  if (needle.empty()) return 0;
  std::size_t count = 0;
  for (std::size_t at = findMarkup(part, needle); at != std::string_view::npos;
       at = findMarkup(part, needle, at + needle.size()))
    ++count;
  return count;
}

}  // namespace quill
