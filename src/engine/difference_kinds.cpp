#include "engine/difference_kinds.h"

namespace quill {

namespace {

// In the order of ItemKind.
constexpr ItemKindNames kItemNames[] = {
    {"Different value", "different value", "different value"},
    {"Missing value in", "missing in FILE1", "missing in file1"},
    {"Missing value in", "missing in FILE2", "missing in file2"},
    {"Different formula", "different formula", "different formula"},
    {"Row added", "row added", "row added"},
    {"Row removed", "row removed", "row removed"},
    {"Column added", "column added", "column added"},
    {"Column removed", "column removed", "column removed"},
    {"Duplicate key", "duplicate key", "duplicate key"},
    {"Row moved", "row moved", "row moved"},
    {"Column moved", "column moved", "column moved"},
    {"Rows reordered", "rows reordered", "rows reordered"},
};

// The count of each ItemKind, in its order; the duplicate key has none.
constexpr Counted kItemCounts[] = {
    Counted::DifferentValues,   Counted::MissingInFirst, Counted::MissingInSecond,
    Counted::DifferentFormulas, Counted::RowsAdded,      Counted::RowsRemoved,
    Counted::ColumnsAdded,      Counted::ColumnsRemoved,
};

// In the order of Counted.
constexpr std::array<CountedNames, kCountedKinds> kCounted = {{
    {Counted::DifferentValues, "different value", "different values", "different_values",
     "differentValues", true},
    {Counted::MissingInFirst, "missing in FILE1", "missing in FILE1", "missing_in_file1",
     "missingInFile1", true},
    {Counted::MissingInSecond, "missing in FILE2", "missing in FILE2", "missing_in_file2",
     "missingInFile2", true},
    {Counted::DifferentFormulas, "different formula", "different formulas", "different_formulas",
     "differentFormulas", true},
    {Counted::KeyCells, "of them in key cells", "of them in key cells", "key_cells", "keyCells",
     false},
    {Counted::RowsAdded, "row added", "rows added", "rows_added", "rowsAdded", true},
    {Counted::RowsRemoved, "row removed", "rows removed", "rows_removed", "rowsRemoved", true},
    {Counted::ColumnsAdded, "column added", "columns added", "columns_added", "columnsAdded", true},
    {Counted::ColumnsRemoved, "column removed", "columns removed", "columns_removed",
     "columnsRemoved", true},
    {Counted::SheetChanges, "sheet change", "sheet changes", "sheet_changes", "sheetChanges", true},
    {Counted::Moves, "move", "moves", "moves", "moves", true},
}};

// In the order of SheetChange.
constexpr SheetChangeNames kSheetChanges[] = {
    {"Sheet added", "sheet only in FILE2"},
    {"Sheet removed", "sheet only in FILE1"},
    {"Sheet renamed", "sheet renamed"},
    {"Sheet moved", "sheet moved"},
    {"Sheet compared at the same position", "sheet compared at the same position"},
};

}  // namespace

const ItemKindNames& itemKindNames(ItemKind kind) {
  return kItemNames[std::size_t(kind)];
}

bool countedAs(ItemKind kind, Counted& counted) {
  if (kind == ItemKind::DuplicateKey) return false;
  counted = kind > ItemKind::DuplicateKey ? Counted::Moves : kItemCounts[std::size_t(kind)];
  return true;
}

const std::array<CountedNames, kCountedKinds>& countedKinds() {
  return kCounted;
}

const SheetChangeNames& sheetChangeNames(SheetChange change) {
  return kSheetChanges[std::size_t(change)];
}

}  // namespace quill
