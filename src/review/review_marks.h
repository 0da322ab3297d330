#pragma once

#include <cstdint>

#include "engine/listed_differences.h"

namespace quill {

// How a cell of the review workbook is marked: the kinds of the documents' legend.
enum class MarkKind : char {
  DifferentValue,
  DifferentFormula,
  MissingInFirst,
  MissingInSecond,
  RowAdded,
  ColumnAdded,
  KeyCell,
  RowMoved,
  ColumnMoved,
};

// How many kinds of mark there are.
inline constexpr int kMarkKindCount = int(MarkKind::ColumnMoved) + 1;

// The mark of a listed cell that File #2 holds, by its kind and whether it lies in a key cell.
MarkKind markKindOf(const DifferenceItem& item);

// The fill a mark gives its cell, as 0xRRGGBB: the colour the documents use for the kind.
std::uint32_t markFill(MarkKind kind);

// The kind's name as the listing of marked cells writes it: "different value", ...
const char* markKindName(MarkKind kind);

}  // namespace quill
