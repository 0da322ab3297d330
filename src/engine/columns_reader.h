#pragma once

#include <algorithm>
#include <limits>
#include <span>
#include <string_view>
#include <vector>

#include "sheet/workbook.h"

namespace quill {

// Reads rows of a worksheet over a list of columns (0: a column the sheet lacks, read as
// empty), reusing its buffers from row to row.
class ColumnsReader {
 public:
  ColumnsReader(const Worksheet& sheet, const std::vector<long>& columns)
      : sheet_(sheet), columns_(columns), texts_(columns.size()) {
    for (long c : columns)
      if (c != 0) first_ = std::min(first_, c), last_ = std::max(last_, c);
    if (first_ <= last_) span_.resize(std::size_t(last_ - first_ + 1));
  }

  // The texts of a row, one for each column of the list.
  const std::vector<std::string_view>& read(long row) {
    if (!span_.empty()) sheet_.rowTexts(row, first_, span_);
    for (std::size_t k = 0; k < columns_.size(); ++k)
      texts_[k] = columns_[k] == 0 ? std::string_view() : span_[std::size_t(columns_[k] - first_)];
    return texts_;
  }

 private:
  const Worksheet& sheet_;
  const std::vector<long>& columns_;
  long first_ = std::numeric_limits<long>::max(), last_ = 0;
  std::vector<std::string_view> span_, texts_;
};

}  // namespace quill
