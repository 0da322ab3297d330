#include "report/difference_items.h"

#include "sheet/address.h"

namespace quill {

ItemKind cellItemKind(DifferenceKind difference) {
  switch (difference) {
    case DifferenceKind::MissingInFirst:
      return ItemKind::MissingInFirst;
    case DifferenceKind::MissingInSecond:
      return ItemKind::MissingInSecond;
    case DifferenceKind::DifferentFormula:
      return ItemKind::DifferentFormula;
    default:
      return ItemKind::DifferentValue;
  }
}

std::string itemPlace(long row, long column) {
  if (row > 0 && column > 0) return cellAddress(row, column);
  if (row > 0) return std::to_string(row);
  if (column > 0) return columnLetters(column);
  return {};
}

}  // namespace quill
