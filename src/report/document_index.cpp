#include "report/document_index.h"

#include <algorithm>

namespace quill {

std::optional<std::uint64_t> DocumentIndex::anchorOffset(std::string_view anchor) const {
  const auto found = std::lower_bound(
      anchors.begin(), anchors.end(), anchor,
      [](const auto& entry, std::string_view wanted) { return entry.first < wanted; });
  if (found == anchors.end() || found->first != anchor) return std::nullopt;
  return found->second;
}

}  // namespace quill
