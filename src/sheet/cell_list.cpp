#include "sheet/cell_list.h"

#include <sys/mman.h>

#include <new>

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
  if (cells_ != nullptr) ::munmap(cells_, bytes_);
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
  constexpr std::size_t kFirstBytes = 1 << 12;
  void* block = nullptr;
  if (cells_ == nullptr) {
    block =
        ::mmap(nullptr, kFirstBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED) throw std::bad_alloc();
    bytes_ = kFirstBytes;
  } else {
    block = ::mremap(cells_, bytes_, bytes_ * 2, MREMAP_MAYMOVE);
    if (block == MAP_FAILED) throw std::bad_alloc();
    bytes_ *= 2;
  }
  cells_ = static_cast<PackedCell*>(block);
}

}  // namespace quill
