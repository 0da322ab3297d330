#pragma once

#include <sys/mount.h>

#include <filesystem>
#include <string>

#include "support/temporary_folder.h"

namespace quill::test {

// A tiny memory file system mounted on a temporary folder, to run out of room or turn
// read-only for real; mounting needs root, so mounted() says whether it worked.
class SmallTmpfs {
 public:
  explicit SmallTmpfs(std::size_t bytes) {
    const std::string options = "size=" + std::to_string(bytes);
    mounted_ = ::mount("tmpfs", folder_.path().c_str(), "tmpfs", 0, options.c_str()) == 0;
  }
  ~SmallTmpfs() {
    if (mounted_) ::umount2(folder_.path().c_str(), MNT_DETACH);
  }
  SmallTmpfs(const SmallTmpfs&) = delete;
  SmallTmpfs& operator=(const SmallTmpfs&) = delete;

  bool mounted() const { return mounted_; }
  const std::filesystem::path& path() const { return folder_.path(); }
  // Whether the file system now refuses every change, even root's.
  bool makeReadOnly() {
    return ::mount("tmpfs", folder_.path().c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
  }

 private:
  TemporaryFolder folder_;
  bool mounted_ = false;
};

}  // namespace quill::test
