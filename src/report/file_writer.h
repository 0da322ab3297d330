#pragma once

#include <filesystem>
#include <initializer_list>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "sheet/failure.h"

namespace quill {

// A file that could not be written; the message names the path and the reason.
class WriteError : public Failure {
 public:
  explicit WriteError(const std::string& message) : Failure(FailureKind::Write, {}, message) {}
  WriteError(std::string path, const std::string& message)
      : Failure(FailureKind::Write, std::move(path), message) {}
};

// Writes the pieces, one after the other, into a new file beside the path and renames it
// over the path once all is written and flushed, so that a failure leaves any old file
// as it was and no half-written file behind. Throws WriteError.
void writeFileReplacing(const std::filesystem::path& path,
                        std::initializer_list<std::string_view> pieces);

// A finished file and the path it is to replace, in the same file system.
struct FileMove {
  std::filesystem::path from;
  std::filesystem::path to;
};

// Renames each file over its path, all or none: should a rename fail, the paths already
// replaced get their old files back. Every function here writes through a symbolic link to
// the file it leads to and gives a replaced file's mode to its replacement. Throws WriteError.
void moveFilesTogether(const std::vector<FileMove>& moves);

}  // namespace quill
