#include "cli/stream_error_box.h"

namespace quill::cli {

void StreamErrorBox::show(const std::string& text) {
  showFailure(text.substr(0, text.find('\r')), text);
}

void StreamErrorBox::showFailure(std::string_view description, const std::string&) {
  ++count_;
  std::string line(description);
  if (!hidden_.empty())
    for (std::size_t at = line.find(hidden_); at != std::string::npos;
         at = line.find(hidden_, at + shown_.size()))
      line.replace(at, hidden_.size(), shown_);
  for (char& ch : line)
    if (ch == '\r' || ch == '\n') ch = ' ';
  if (beforeEachLine_) beforeEachLine_();
  stream_ << prefix_ << line << '\n';
}

void StreamErrorBox::showPathAs(std::string hidden, std::string shown) {
  hidden_ = std::move(hidden);
  shown_ = std::move(shown);
}

}  // namespace quill::cli
