#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace quill {

// The formulas of a worksheet's cells, kept apart from their values: most cells have none,
// and they are read only when asked for.
class FormulaList {
 public:
  // Adds a formula whose text lives in the workbook's arena; a later one at the same
  // position replaces an earlier one once finish() has run.
  void add(long row, long column, std::string_view storedText);
  // Sorts the formulas by row and column; needed before at() and forEach().
  void finish();
  // The formula of a cell, or "" when it has none.
  std::string_view at(long row, long column) const;
  bool empty() const { return entries_.empty(); }

  // Calls visit(row, column, formula) for every formula in row-major order.
  template <class Visit>
  void forEach(Visit&& visit) const {
    for (const Entry& entry : entries_) visit(long(entry.row), long(entry.column), entry.text);
  }

 private:
  struct Entry {
    std::uint32_t row;
    std::uint32_t column;
    std::string_view text;
  };
  std::vector<Entry> entries_;
};

}  // namespace quill
