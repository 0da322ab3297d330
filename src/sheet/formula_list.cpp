#include "sheet/formula_list.h"

#include <algorithm>

namespace quill {

namespace {

bool before(std::uint32_t rowA, std::uint32_t columnA, std::uint32_t rowB, std::uint32_t columnB) {
  return rowA != rowB ? rowA < rowB : columnA < columnB;
}

}  // namespace

void FormulaList::add(long row, long column, std::string_view storedText) {
  entries_.push_back({std::uint32_t(row), std::uint32_t(column), storedText});
}

void FormulaList::finish() {
  std::stable_sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
    return before(a.row, a.column, b.row, b.column);
  });
  // Of formulas at the same position the last one added wins.
  std::size_t kept = 0;
  for (const Entry& entry : entries_) {
    if (kept > 0 && entries_[kept - 1].row == entry.row &&
        entries_[kept - 1].column == entry.column)
      entries_[kept - 1] = entry;
    else
      entries_[kept++] = entry;
  }
  entries_.resize(kept);
}

std::string_view FormulaList::at(long row, long column) const {
  if (row < 1 || column < 1) return {};
  const auto found = std::lower_bound(
      entries_.begin(), entries_.end(), std::pair{std::uint32_t(row), std::uint32_t(column)},
      [](const Entry& entry, const std::pair<std::uint32_t, std::uint32_t>& position) {
        return before(entry.row, entry.column, position.first, position.second);
      });
  if (found == entries_.end() || found->row != std::uint32_t(row) ||
      found->column != std::uint32_t(column))
    return {};
  return found->text;
}

}  // namespace quill
