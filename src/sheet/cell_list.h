#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quill {

// One stored cell in 16 bytes: where its text lies, and its row, column and text length
// packed into one word whose high bits order cells by row, then column.
class PackedCell {
 public:
  static constexpr std::size_t kMaxTextLength = (std::size_t(1) << 30) - 1;

  // Row and column must lie within the worksheet limits, the text within kMaxTextLength.
  PackedCell(long row, long column, std::string_view text);

  long row() const { return long(bits_ >> 44) + 1; }
  long column() const { return long((bits_ >> 30) & 0x3FFF) + 1; }
  std::string_view text() const { return {text_, std::size_t(bits_ & kMaxTextLength)}; }
  // Row and column as one number that grows along rows, then down the sheet.
  std::uint64_t position() const { return bits_ >> 30; }
  // Gives the cell another text, keeping its position.
  void setText(std::string_view text);

 private:
  const char* text_;
  std::uint64_t bits_;
};

// The cells of a sheet in one block that doubles as it grows; a large block is page-mapped,
// so that a list of millions of cells is remapped rather than copied as it grows. It holds
// at most kMaxCells cells (4 GiB), nine times a worksheet of 1,048,576 rows by 27 columns.
class CellList {
 public:
  static constexpr std::size_t kMaxCells = std::size_t(1) << 28;

  CellList() = default;
  ~CellList();
  CellList(const CellList&) = delete;
  CellList& operator=(const CellList&) = delete;

  void push_back(const PackedCell& cell);
  // Keeps the first count cells.
  void truncate(std::size_t count);

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  PackedCell* begin() { return cells_; }
  PackedCell* end() { return cells_ + size_; }
  const PackedCell* begin() const { return cells_; }
  const PackedCell* end() const { return cells_ + size_; }
  const PackedCell& operator[](std::size_t i) const { return cells_[i]; }
  PackedCell& operator[](std::size_t i) { return cells_[i]; }
  PackedCell& back() { return cells_[size_ - 1]; }
  const PackedCell& back() const { return cells_[size_ - 1]; }

 private:
  void grow();

  PackedCell* cells_ = nullptr;
  std::size_t size_ = 0;
  std::size_t bytes_ = 0;  // allocated
};

}  // namespace quill
