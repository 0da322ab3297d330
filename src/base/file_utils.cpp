#include "base/file_utils.h"

#include <filesystem>

namespace quill {

namespace fs = std::filesystem;

bool fileExists(const std::string& path) {
  if (path.find_first_not_of(' ') == std::string::npos) return false;
  std::error_code error;
  (void)fs::last_write_time(path, error);
  return !error;
}

bool isFolder(const std::string& path) {
  std::error_code error;
  return !path.empty() && fs::is_directory(path, error);
}

void deleteFile(const std::string& path) {
  // Removing a file needs write access to its folder only, so a read-only file goes too.
  std::error_code error;
  if (!fs::is_directory(fs::symlink_status(path, error))) fs::remove(path, error);
}

}  // namespace quill
