#pragma once

#include <string>
#include <string_view>

#include "sheet/address.h"
#include "sheet/workbook.h"

namespace quill {

// A worksheet seen with its rows and columns swapped: row r, column c of the view is row c,
// column r of the sheet. Lets the row alignment align the columns of a column-keyed table.
class TransposedSheet final : public Worksheet {
 public:
  explicit TransposedSheet(const Worksheet& sheet) : sheet_(sheet) {}

  const std::string& name() const override { return sheet_.name(); }
  Area usedArea() const override { return transposed(sheet_.usedArea()); }
  std::string_view cellText(long row, long column) const override {
    return sheet_.cellText(column, row);
  }
  std::string_view cellFormula(long row, long column) const override {
    return sheet_.cellFormula(column, row);
  }

  static Area transposed(const Area& area) {
    return Area{area.firstColumn, area.firstRow, area.lastColumn, area.lastRow};
  }

 private:
  const Worksheet& sheet_;
};

}  // namespace quill
