#include "report/document_stream.h"

namespace quill {

DocumentStream::DocumentStream(const std::filesystem::path& path,
                               const std::filesystem::path& shownAs)
    : file_(path, shownAs) {
  text_.reserve(2 * kBlock);
}

void DocumentStream::flush() {
  if (text_.size() < kBlock) return;
  file_.write(text_);
  text_.clear();
}

void DocumentStream::finish(std::string_view tail) {
  text_.append(tail);
  file_.write(text_);
  text_.clear();
  file_.finish();
}

}  // namespace quill
