#pragma once

#include <filesystem>
#include <initializer_list>
#include <stdexcept>
#include <string_view>

namespace quill {

// A file that could not be written; the message names the path and the reason.
class WriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Writes the pieces, one after the other, into a new file beside the path and renames it
// over the path once all is written and flushed, so that a failure leaves any old file
// as it was and no half-written file behind. Throws WriteError.
void writeFileReplacing(const std::filesystem::path& path, std::initializer_list<std::string_view> pieces);

}  // namespace quill
