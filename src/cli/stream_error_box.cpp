#include "cli/stream_error_box.h"

namespace quill::cli {

void StreamErrorBox::show(const std::string& text) {
  showFailure(text.substr(0, text.find('\r')), text);
}

void StreamErrorBox::showFailure(std::string_view description, const std::string&) {
  ++count_;
  std::string line(description);
  for (char& ch : line)
    if (ch == '\r' || ch == '\n') ch = ' ';
  if (beforeEachLine_) beforeEachLine_();
  stream_ << prefix_ << line << '\n';
}

}  // namespace quill::cli
