#include "report/difference_items.h"

#include "sheet/address.h"

namespace quill {

const char* itemKindName(ItemKind kind, FileNames files) {
  switch (kind) {
    case ItemKind::DifferentValue:
      return "different value";
    case ItemKind::MissingInFirst:
      return files == FileNames::UpperCase ? "missing in FILE1" : "missing in file1";
    case ItemKind::MissingInSecond:
      return files == FileNames::UpperCase ? "missing in FILE2" : "missing in file2";
    case ItemKind::DifferentFormula:
      return "different formula";
    case ItemKind::RowAdded:
      return "row added";
    case ItemKind::RowRemoved:
      return "row removed";
    case ItemKind::ColumnAdded:
      return "column added";
    case ItemKind::ColumnRemoved:
      return "column removed";
    case ItemKind::DuplicateKey:
      return "duplicate key";
  }
  return "";
}

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
