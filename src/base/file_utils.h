#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quill {

// Whether a path names something whose modification time can be read; "" gives false.
bool fileExists(const std::string& path);

// Whether a path names a folder; an unreadable path is no folder.
bool isFolder(const std::string& path);

// Deletes a file, a read-only one too; a missing or undeletable file is left silently.
void deleteFile(const std::string& path);

// What tells a file from another that later takes its path, as a new file renamed over it.
struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  bool operator==(const FileIdentity&) const = default;
};

// The identity of the file a path names; nothing when there is none.
std::optional<FileIdentity> fileIdentity(const std::string& path);

// Deletes the file at a path as deleteFile does, but only while it is still the file of
// that identity: a file written over it since is left.
void deleteFileIfSame(const std::string& path, const FileIdentity& identity);

}  // namespace quill
