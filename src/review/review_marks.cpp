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
// File #2) in blue, a moved row or column in the amber of the moves legend.
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
    case MarkKind::RowMoved:
    case MarkKind::ColumnMoved:
      return 0xFFCC33;
  }
  return 0xFFFF00;
}

const char* markKindName(MarkKind kind) {
  // Every mark but a key cell's is a kind of listed difference, named as the text output
  // names it; the table's names are literals, so their data ends in a null character.
  switch (kind) {
    case MarkKind::DifferentValue:
      return itemKindNames(ItemKind::DifferentValue).text.data();
    case MarkKind::DifferentFormula:
      return itemKindNames(ItemKind::DifferentFormula).text.data();
    case MarkKind::MissingInFirst:
      return itemKindNames(ItemKind::MissingInFirst).text.data();
    case MarkKind::MissingInSecond:
      return itemKindNames(ItemKind::MissingInSecond).text.data();
    case MarkKind::RowAdded:
      return itemKindNames(ItemKind::RowAdded).text.data();
    case MarkKind::ColumnAdded:
      return itemKindNames(ItemKind::ColumnAdded).text.data();
    case MarkKind::KeyCell:
      return "key cell";
    case MarkKind::RowMoved:
      return itemKindNames(ItemKind::RowMoved).text.data();
    case MarkKind::ColumnMoved:
      return itemKindNames(ItemKind::ColumnMoved).text.data();
  }
  return "";
}

}  // namespace quill
