#include "sheet/xls/date_styles.h"

#include "sheet/cell_text.h"

namespace quill::xls {

void DateStyles::defineFormat(int id, std::string_view code) {
  formats_[id] = isDateFormatCode(code);
  styleDates_.clear();
}

void DateStyles::addStyle(int formatId) {
  styleFormats_.push_back(formatId);
  styleDates_.clear();
}

bool DateStyles::formatIsDate(int formatId) const {
  auto it = formats_.find(formatId);
  return it != formats_.end() ? it->second : isBuiltinDateFormat(formatId);
}

bool DateStyles::styleIsDate(std::size_t xf) {
  if (styleDates_.size() != styleFormats_.size()) {
    styleDates_.resize(styleFormats_.size());
    for (std::size_t i = 0; i < styleFormats_.size(); ++i)
      styleDates_[i] = formatIsDate(styleFormats_[i]);
  }
  return xf < styleDates_.size() && styleDates_[xf] != 0;
}

}  // namespace quill::xls
