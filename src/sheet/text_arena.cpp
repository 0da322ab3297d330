#include "sheet/text_arena.h"

#include <cstring>

namespace quill {

std::string_view TextArena::store(std::string_view text) {
  if (text.empty()) return {};
  if (text.size() > kBlockSize / 4) {  // a long text gets a block of its own
    blocks_.push_back(std::make_unique_for_overwrite<char[]>(text.size()));
    std::memcpy(blocks_.back().get(), text.data(), text.size());
    return {blocks_.back().get(), text.size()};
  }
  if (text.size() > left_) {
    blocks_.push_back(std::make_unique_for_overwrite<char[]>(kBlockSize));
    cursor_ = blocks_.back().get();
    left_ = kBlockSize;
  }
  std::memcpy(cursor_, text.data(), text.size());
  std::string_view stored(cursor_, text.size());
  cursor_ += text.size();
  left_ -= text.size();
  return stored;
}

}  // namespace quill
