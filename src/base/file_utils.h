#pragma once

#include <string>

namespace quill {

// Whether a path names something whose modification time can be read; "" gives false.
bool fileExists(const std::string& path);

// Whether a path names a folder; an unreadable path is no folder.
bool isFolder(const std::string& path);

// Deletes a file, a read-only one too; a missing or undeletable file is left silently.
void deleteFile(const std::string& path);

}  // namespace quill
