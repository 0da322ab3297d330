#include "report/difference_items.h"

#include "sheet/address.h"

namespace quill {

std::string itemPlace(long row, long column) {
  if (row > 0 && column > 0) return cellAddress(row, column);
  if (row > 0) return std::to_string(row);
  if (column > 0) return columnLetters(column);
  return {};
}

}  // namespace quill
