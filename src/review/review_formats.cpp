#include "review/review_formats.h"

#include <string>

#include "report/file_writer.h"

namespace quill {

namespace {

// The number formats that show a date or time as the compared text does.
const char* numberFormat(ValueType type) {
  switch (type) {
    case ValueType::Date:
      return "yyyy-mm-dd";
    case ValueType::DateTime:
      return "yyyy-mm-dd hh:mm:ss";
    case ValueType::Time:
      return "hh:mm:ss";
    default:
      return nullptr;
  }
}

}  // namespace

void checkWritten(lxw_error error) {
  if (error != LXW_NO_ERROR) throw WriteError(lxw_strerror(error));
}

lxw_format* ReviewFormats::cell(ValueType type, std::optional<MarkKind> mark) {
  const char* code = numberFormat(type);
  if (code == nullptr && !mark) return nullptr;
  const std::size_t index = std::size_t(type) * kMarks + (mark ? std::size_t(*mark) + 1 : 0);
  lxw_format*& format = cells_[index];
  if (format == nullptr) {
    format = workbook_add_format(book_);
    if (code != nullptr) format_set_num_format(format, code);
    if (mark) {
      format_set_pattern(format, LXW_PATTERN_SOLID);
      format_set_bg_color(format, markFill(*mark));
    }
  }
  return format;
}

lxw_format* ReviewFormats::bold() {
  if (bold_ == nullptr) {
    bold_ = workbook_add_format(book_);
    format_set_bold(bold_);
  }
  return bold_;
}

lxw_format* ReviewFormats::link() {
  if (link_ == nullptr) {
    link_ = workbook_add_format(book_);
    format_set_underline(link_, LXW_UNDERLINE_SINGLE);
    format_set_font_color(link_, LXW_COLOR_BLUE);
  }
  return link_;
}

}  // namespace quill
