#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "report/pending_file.h"

namespace quill {

// A document written piece by piece: text is appended to a buffer, which goes to a pending
// file whenever it has grown past a block, so that a document of any length takes a block
// of memory. Failures throw WriteError naming the document by the path given as shownAs.
class DocumentStream {
 public:
  DocumentStream(const std::filesystem::path& path, const std::filesystem::path& shownAs);

  // The buffer to append to; flush() passes it on.
  std::string& text() { return text_; }
  // Writes the buffer to the file once it holds a block or more.
  void flush();
  // Writes what is left and the tail, and flushes the file to the disk.
  void finish(std::string_view tail);
  // Puts the finished file at its path.
  void commit() { file_.commit(); }

 private:
  static constexpr std::size_t kBlock = 1 << 16;
  PendingFile file_;
  std::string text_;
};

}  // namespace quill
