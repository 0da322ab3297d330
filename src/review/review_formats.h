#pragma once

#include <xlsxwriter.h>

#include <array>
#include <optional>

#include "review/cell_values.h"
#include "review/review_marks.h"

namespace quill {

// Throws WriteError with the library's reason alone when a call writing the workbook failed;
// saveReviewWorkbook names the file.
void checkWritten(lxw_error error);

// The cell formats of one review workbook, each made once on first use: a date or time
// number format for the value's type, with the fill of a mark or none.
class ReviewFormats {
 public:
  explicit ReviewFormats(lxw_workbook* book) : book_(book) {}

  // Null for a plain cell without a mark: the workbook's default format.
  lxw_format* cell(ValueType type, std::optional<MarkKind> mark);
  lxw_format* bold();
  lxw_format* link();

 private:
  static constexpr std::size_t kTypes = 6;
  static constexpr std::size_t kMarks = std::size_t(kMarkKindCount) + 1;  // none, then each kind
  lxw_workbook* book_;
  std::array<lxw_format*, kTypes * kMarks> cells_{};
  lxw_format* bold_ = nullptr;
  lxw_format* link_ = nullptr;
};

}  // namespace quill
