#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace quill {

// Keeps texts in large blocks that never move, so views of them stay valid while it lives.
class TextArena {
 public:
  std::string_view store(std::string_view text);

 private:
  static constexpr std::size_t kBlockSize = 1 << 20;
  std::vector<std::unique_ptr<char[]>> blocks_;
  char* cursor_ = nullptr;
  std::size_t left_ = 0;
};

}  // namespace quill
