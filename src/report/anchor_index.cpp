#include "report/anchor_index.h"

#include <algorithm>
#include <string>

#include "report/escape.h"
#include "report/markup_search.h"

namespace quill {

namespace {

constexpr std::string_view kNameStart = "name=\"";

}  // namespace

AnchorIndex::AnchorIndex(std::string_view document) {
  for (std::size_t at = findMarkup(document, kNameStart); at != std::string_view::npos;) {
    const std::size_t start = at + kNameStart.size();
    // Names are escaped, so the first quote ends them.
    const std::size_t end = document.find('"', start);
    if (end == std::string_view::npos) break;
    byName_.emplace_back(document.substr(start, end - start), at);
    at = findMarkup(document, kNameStart, end + 1);
  }
  // The first of equal names is the one a search from the start would find.
  std::stable_sort(byName_.begin(), byName_.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
}

std::optional<std::size_t> AnchorIndex::find(std::string_view anchor) const {
  std::string name;
  appendHtmlEscaped(name, anchor);
  const auto found = std::lower_bound(
      byName_.begin(), byName_.end(), std::string_view(name),
      [](const auto& entry, std::string_view wanted) { return entry.first < wanted; });
  if (found == byName_.end() || found->first != name) return std::nullopt;
  return found->second;
}

}  // namespace quill
