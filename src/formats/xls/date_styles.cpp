#include "formats/xls/date_styles.h"

#include "sheet/cell_text.h"

namespace quill::xls {

void DateStyles::defineFormat(int id, std::string_view code) {
  formats_[id] = isDateFormatCode(code);
}

void DateStyles::addStyle(int formatId) {
  styleFormats_.push_back(formatId);
}

bool DateStyles::formatIsDate(int formatId) const {
  auto it = formats_.find(formatId);
  return it != formats_.end() ? it->second : isBuiltinDateFormat(formatId);
}

bool DateStyles::styleIsDate(std::size_t xf) const {
  // Judged cell by cell: formats and styles may still be added between cells (BIFF2 to
  // BIFF4), and a cache rebuilt on each addition would cost time squared on hostile files.
  return xf < styleFormats_.size() && formatIsDate(styleFormats_[xf]);
}

}  // namespace quill::xls
