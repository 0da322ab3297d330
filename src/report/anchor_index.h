#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace quill {

// Where each named anchor of a grid document lies, so that the cell a link leads to is
// found in one lookup instead of a search through a document of a gigabyte. It points into
// the document, which must outlive it.
class AnchorIndex {
 public:
  AnchorIndex() = default;
  // Looks through the whole document once for name="..." attributes.
  explicit AnchorIndex(std::string_view document);

  // Where the attribute naming that (unescaped) anchor starts; none when no anchor has it.
  std::optional<std::size_t> find(std::string_view anchor) const;
  std::size_t size() const { return byName_.size(); }

 private:
  // Names as written (escaped), with the offsets of their attributes, sorted by name.
  std::vector<std::pair<std::string_view, std::size_t>> byName_;
};

}  // namespace quill
