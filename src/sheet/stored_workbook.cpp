#include "sheet/stored_workbook.h"

#include <algorithm>

#include "sheet/cell_text.h"

namespace quill {

StoredSheet::StoredSheet(std::string name, TextArena& arena)
    : name_(std::move(name)), arena_(arena) {}

void StoredSheet::add(long row, long column, std::string_view text) {
  text = trimSpaces(text);
  if (text.empty()) return;
  addStored(row, column, arena_.store(text));
}

void StoredSheet::addStored(long row, long column, std::string_view storedText) {
  storedText = trimSpaces(storedText);
  if (storedText.empty()) return;
  if (row < 1 || row > kMaxRows || column < 1 || column > kMaxColumns)
    throw WorkbookError("cell " + std::to_string(row) + "," + std::to_string(column) +
                        " of sheet \"" + name_ + "\" lies outside the 1,048,576 rows and 16,384 "
                        "columns a worksheet has");
  if (!cells_.empty()) {
    const Cell& last = cells_.back();
    if (last.row > row || (last.row == row && last.column >= column)) sorted_ = false;
  }
  cells_.push_back({storedText, std::uint32_t(row), std::uint32_t(column)});
}

void StoredSheet::finish() {
  if (!sorted_) {
    std::stable_sort(cells_.begin(), cells_.end(), [](const Cell& a, const Cell& b) {
      return a.row != b.row ? a.row < b.row : a.column < b.column;
    });
    // Of cells at the same position the last one added wins.
    std::vector<Cell> unique;
    unique.reserve(cells_.size());
    for (const Cell& cell : cells_) {
      if (!unique.empty() && unique.back().row == cell.row && unique.back().column == cell.column)
        unique.back() = cell;
      else
        unique.push_back(cell);
    }
    cells_.swap(unique);
    sorted_ = true;
  }
  rows_.clear();
  if (cells_.empty()) {
    used_ = Area{};
    return;
  }
  used_ = {long(cells_.front().row), long(cells_.front().column), long(cells_.back().row),
           long(cells_.front().column)};
  for (std::size_t i = 0; i < cells_.size(); ++i) {
    const Cell& cell = cells_[i];
    if (rows_.empty() || rows_.back().row != cell.row) rows_.push_back({cell.row, std::uint32_t(i)});
    used_.firstColumn = std::min(used_.firstColumn, long(cell.column));
    used_.lastColumn = std::max(used_.lastColumn, long(cell.column));
  }
}

std::span<const StoredSheet::Cell> StoredSheet::rowCells(long row) const {
  auto rowIt = std::lower_bound(rows_.begin(), rows_.end(), row,
                                [](const RowStart& r, long wanted) { return long(r.row) < wanted; });
  if (rowIt == rows_.end() || long(rowIt->row) != row) return {};
  const std::size_t end =
      std::next(rowIt) == rows_.end() ? cells_.size() : std::next(rowIt)->firstCell;
  return std::span<const Cell>(cells_).subspan(rowIt->firstCell, end - rowIt->firstCell);
}

std::string_view StoredSheet::cellText(long row, long column) const {
  const std::span<const Cell> cells = rowCells(row);
  auto cellIt =
      std::lower_bound(cells.begin(), cells.end(), column,
                       [](const Cell& c, long wanted) { return long(c.column) < wanted; });
  if (cellIt == cells.end() || long(cellIt->column) != column) return {};
  return cellIt->text;
}

void StoredSheet::rowTexts(long row, long firstColumn, std::span<std::string_view> texts) const {
  std::fill(texts.begin(), texts.end(), std::string_view());
  const long lastColumn = firstColumn + long(texts.size()) - 1;
  const std::span<const Cell> cells = rowCells(row);
  auto cellIt =
      std::lower_bound(cells.begin(), cells.end(), firstColumn,
                       [](const Cell& c, long wanted) { return long(c.column) < wanted; });
  for (; cellIt != cells.end() && long(cellIt->column) <= lastColumn; ++cellIt)
    texts[std::size_t(long(cellIt->column) - firstColumn)] = cellIt->text;
}

StoredSheet& StoredWorkbook::addSheet(std::string name) {
  sheets_.push_back(std::make_unique<StoredSheet>(std::move(name), arena_));
  return *sheets_.back();
}

void StoredWorkbook::finish() {
  for (auto& sheet : sheets_) sheet->finish();
}

const Worksheet& StoredWorkbook::sheet(std::size_t position) const { return storedSheet(position); }

const StoredSheet& StoredWorkbook::storedSheet(std::size_t position) const {
  if (position < 1 || position > sheets_.size())
    throw std::out_of_range("Subscript out of range: the workbook has no sheet " +
                            std::to_string(position));
  return *sheets_[position - 1];
}

}  // namespace quill
