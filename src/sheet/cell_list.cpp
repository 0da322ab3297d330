#include "sheet/cell_list.h"

#include <cstdlib>
#include <new>
#include <string>

#include "sheet/workbook.h"

namespace quill {

static_assert(sizeof(PackedCell) == 16);

PackedCell::PackedCell(long row, long column, std::string_view text)
    : text_(text.data()),
      bits_(std::uint64_t(row - 1) << 44 | std::uint64_t(column - 1) << 30 | text.size()) {}

void PackedCell::setText(std::string_view text) {
  text_ = text.data();
  bits_ = (bits_ & ~std::uint64_t(kMaxTextLength)) | text.size();
}

CellList::~CellList() {
  std::free(cells_);
}

void CellList::push_back(const PackedCell& cell) {
  if ((size_ + 1) * sizeof(PackedCell) > bytes_) grow();
  new (cells_ + size_) PackedCell(cell);
  ++size_;
}

void CellList::truncate(std::size_t count) {
  if (count < size_) size_ = count;
}

void CellList::grow() {
  // Large blocks are page-mapped by the allocator, which grows them by remapping pages
  // instead of copying them.
  if (size_ >= kMaxCells)
    throw WorkbookError("a worksheet holds more than " + std::to_string(kMaxCells) +
                        " cells, more than can be kept in memory");
  const std::size_t bytes = bytes_ == 0 ? std::size_t(1) << 12 : bytes_ * 2;
  void* block = std::realloc(cells_, bytes);
  if (block == nullptr) throw std::bad_alloc();
  cells_ = static_cast<PackedCell*>(block);
  bytes_ = bytes;
}

}  // namespace quill
