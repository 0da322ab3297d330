#include "review/review_marks.h"

namespace quill {

MarkKind markKindOf(const DifferenceItem& item) {
  if (item.key) return MarkKind::KeyCell;
  switch (item.kind) {
    case ItemKind::DifferentFormula:
      return MarkKind::DifferentFormula;
    case ItemKind::MissingInFirst:
      return MarkKind::MissingInFirst;
    case ItemKind::MissingInSecond:
      return MarkKind::MissingInSecond;
    case ItemKind::RowAdded:
      return MarkKind::RowAdded;
    case ItemKind::ColumnAdded:
      return MarkKind::ColumnAdded;
    default:
      return MarkKind::DifferentValue;
  }
}

// The documents' legend: a changed value's new text on yellow, a changed formula's cell in
// cyan grey, a missing value in khaki grey, what one file alone holds (and a changed key of
// File #2) in blue.
std::uint32_t markFill(MarkKind kind) {
  switch (kind) {
    case MarkKind::DifferentValue:
      return 0xFFFF00;
    case MarkKind::DifferentFormula:
      return 0xCCEEEE;
    case MarkKind::MissingInFirst:
    case MarkKind::MissingInSecond:
      return 0xEEEECC;
    case MarkKind::RowAdded:
    case MarkKind::ColumnAdded:
    case MarkKind::KeyCell:
      return 0x3366FF;
  }
  return 0xFFFF00;
}

const char* markKindName(MarkKind kind) {
  switch (kind) {
    case MarkKind::DifferentValue:
      return "different value";
    case MarkKind::DifferentFormula:
      return "different formula";
    case MarkKind::MissingInFirst:
      return "missing in FILE1";
    case MarkKind::MissingInSecond:
      return "missing in FILE2";
    case MarkKind::RowAdded:
      return "row added";
    case MarkKind::ColumnAdded:
      return "column added";
    case MarkKind::KeyCell:
      return "key cell";
  }
  return "";
}

}  // namespace quill
