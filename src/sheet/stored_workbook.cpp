#include "sheet/stored_workbook.h"

#include <algorithm>

#include "sheet/cell_text.h"

namespace quill {

StoredSheet::StoredSheet(std::string name, TextArena& arena, bool keepSpaces)
    : name_(std::move(name)), arena_(arena), keepSpaces_(keepSpaces) {}

std::string_view StoredSheet::add(long row, long column, std::string_view text) {
  text = cellSpaces(text, keepSpaces_);
  if (text.empty()) return {};
  const std::string_view stored = arena_.store(text);
  addTrimmed(row, column, stored);
  return stored;
}

void StoredSheet::addStored(long row, long column, std::string_view storedText) {
  addTrimmed(row, column, cellSpaces(storedText, keepSpaces_));
}

void StoredSheet::checkPosition(long row, long column) const {
  if (row < 1 || row > kMaxRows || column < 1 || column > kMaxColumns)
    throw WorkbookError("cell " + std::to_string(row) + "," + std::to_string(column) +
                        " of sheet \"" + name_ +
                        "\" lies outside the 1,048,576 rows and 16,384 "
                        "columns a worksheet has");
}

std::size_t StoredSheet::addPending(long row, long column) {
  checkPosition(row, column);
  const PackedCell cell(row, column, {});
  if (!cells_.empty() && cells_.back().position() >= cell.position()) sorted_ = false;
  cells_.push_back(cell);
  return cells_.size() - 1;
}

void StoredSheet::setPendingText(std::size_t cell, std::string_view trimmedText) {
  if (trimmedText.size() > PackedCell::kMaxTextLength)
    throw WorkbookError("a cell of sheet \"" + name_ + "\" holds a text of more than 1 GiB");
  if (trimmedText.empty()) hasEmpty_ = true;
  cells_[cell].setText(trimmedText);
}

// Removes the pending cells that were given no text, as if they had never been added.
void StoredSheet::dropEmptyCells() {
  std::size_t kept = 0;
  for (const PackedCell& cell : cells_)
    if (!cell.text().empty()) cells_[kept++] = cell;
  cells_.truncate(kept);
  hasEmpty_ = false;
}

void StoredSheet::addTrimmed(long row, long column, std::string_view storedText) {
  if (storedText.empty()) return;
  checkPosition(row, column);
  if (storedText.size() > PackedCell::kMaxTextLength)
    throw WorkbookError("cell " + cellAddress(row, column) + " of sheet \"" + name_ +
                        "\" holds a text of more than 1 GiB");
  const PackedCell cell(row, column, storedText);
  if (!cells_.empty() && cells_.back().position() >= cell.position()) sorted_ = false;
  cells_.push_back(cell);
}

void StoredSheet::addFormula(long row, long column, std::string_view formula) {
  checkPosition(row, column);
  formulas_.add(row, column, arena_.store(formula));
}

void StoredSheet::finish() {
  formulas_.finish();
  if (hasEmpty_) dropEmptyCells();
  if (!sorted_) {
    std::stable_sort(cells_.begin(), cells_.end(), [](const PackedCell& a, const PackedCell& b) {
      return a.position() < b.position();
    });
    // Of cells at the same position the last one added wins.
    std::size_t kept = 0;
    for (const PackedCell& cell : cells_) {
      if (kept > 0 && cells_.begin()[kept - 1].position() == cell.position())
        cells_.begin()[kept - 1] = cell;
      else
        cells_.begin()[kept++] = cell;
    }
    cells_.truncate(kept);
    sorted_ = true;
  }
  rows_.clear();
  if (cells_.empty()) {
    used_ = Area{};
    return;
  }
  used_ = {cells_[0].row(), cells_[0].column(), cells_.back().row(), cells_[0].column()};
  for (std::size_t i = 0; i < cells_.size(); ++i) {
    const PackedCell& cell = cells_[i];
    if (rows_.empty() || long(rows_.back().row) != cell.row())
      rows_.push_back({std::uint32_t(cell.row()), std::uint32_t(i)});
    used_.firstColumn = std::min(used_.firstColumn, cell.column());
    used_.lastColumn = std::max(used_.lastColumn, cell.column());
  }
}

std::span<const PackedCell> StoredSheet::rowCells(long row) const {
  auto rowIt =
      std::lower_bound(rows_.begin(), rows_.end(), row,
                       [](const RowStart& r, long wanted) { return long(r.row) < wanted; });
  if (rowIt == rows_.end() || long(rowIt->row) != row) return {};
  const std::size_t end =
      std::next(rowIt) == rows_.end() ? cells_.size() : std::next(rowIt)->firstCell;
  return std::span<const PackedCell>(cells_.begin() + rowIt->firstCell, cells_.begin() + end);
}

namespace {

// The first cell of a row at or right of a column.
const PackedCell* firstCellFrom(std::span<const PackedCell> cells, long column) {
  return std::lower_bound(
      cells.data(), cells.data() + cells.size(), column,
      [](const PackedCell& cell, long wanted) { return cell.column() < wanted; });
}

}  // namespace

std::string_view StoredSheet::cellText(long row, long column) const {
  const std::span<const PackedCell> cells = rowCells(row);
  const PackedCell* cell = firstCellFrom(cells, column);
  if (cell == cells.data() + cells.size() || cell->column() != column) return {};
  return cell->text();
}

void StoredSheet::rowTexts(long row, long firstColumn, std::span<std::string_view> texts) const {
  std::fill(texts.begin(), texts.end(), std::string_view());
  const long lastColumn = firstColumn + long(texts.size()) - 1;
  const std::span<const PackedCell> cells = rowCells(row);
  const PackedCell* end = cells.data() + cells.size();
  for (const PackedCell* cell = firstCellFrom(cells, firstColumn);
       cell != end && cell->column() <= lastColumn; ++cell)
    texts[std::size_t(cell->column() - firstColumn)] = cell->text();
}

long StoredSheet::firstRowInUseFrom(long row) const {
  auto rowIt =
      std::lower_bound(rows_.begin(), rows_.end(), row,
                       [](const RowStart& r, long wanted) { return long(r.row) < wanted; });
  return rowIt == rows_.end() ? 0 : long(rowIt->row);
}

StoredSheet& StoredWorkbook::addSheet(std::string name) {
  sheets_.push_back(std::make_unique<StoredSheet>(std::move(name), arena_, keepSpaces_));
  return *sheets_.back();
}

StoredSheet& StoredWorkbook::replaceLastSheet() {
  sheets_.back() = std::make_unique<StoredSheet>(sheets_.back()->name(), arena_, keepSpaces_);
  return *sheets_.back();
}

void StoredWorkbook::finish() {
  for (auto& sheet : sheets_) sheet->finish();
}

const Worksheet& StoredWorkbook::sheet(std::size_t position) const {
  return storedSheet(position);
}

const StoredSheet& StoredWorkbook::storedSheet(std::size_t position) const {
  if (position < 1 || position > sheets_.size())
    throw std::out_of_range("Subscript out of range: the workbook has no sheet " +
                            std::to_string(position));
  return *sheets_[position - 1];
}

}  // namespace quill
