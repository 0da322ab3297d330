#include "base/file_utils.h"

#include <sys/stat.h>

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

std::optional<FileIdentity> fileIdentity(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return std::nullopt;
  return FileIdentity{std::uint64_t(status.st_dev), std::uint64_t(status.st_ino)};
}

void deleteFileIfSame(const std::string& path, const FileIdentity& identity) {
  if (fileIdentity(path) == identity) deleteFile(path);
}

}  // namespace quill
