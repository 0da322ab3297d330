#include "cli/stream_error_box.h"

namespace quill::cli {

void StreamErrorBox::show(const std::string& text) {
  ++count_;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      stream_ << '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      stream_ << text[i];
    }
  }
  stream_ << '\n';
}

}  // namespace quill::cli
