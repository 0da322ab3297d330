#pragma once

#include <string>
#include <string_view>

namespace quill {

// A file's bytes mapped read-only into memory for as long as the object lives, so that a
// document of a gigabyte is paged in by the system as it is looked at instead of being
// copied whole. The bytes stay readable after the file is deleted or replaced by a rename;
// an empty file gives no bytes.
class MappedFile {
 public:
  // Throws std::runtime_error naming the path when it cannot be opened or mapped, or is no
  // regular file.
  explicit MappedFile(const std::string& path);
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  std::string_view bytes() const { return {data_, size_}; }

 private:
  const char* data_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace quill
