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
    {"Different note", "different note", "different note"},
    {"Name added", "name added", "name added"},
    {"Name removed", "name removed", "name removed"},
    {"Name changed", "name changed", "name changed"},
    {"Sheet hidden", "sheet hidden", "sheet hidden"},
    {"Sheet shown", "sheet shown", "sheet shown"},
    {"Row hidden", "row hidden", "row hidden"},
    {"Row shown", "row shown", "row shown"},
    {"Column hidden", "column hidden", "column hidden"},
    {"Column shown", "column shown", "column shown"},
    {"Merged range added", "merged range added", "merged range added"},
    {"Merged range removed", "merged range removed", "merged range removed"},
    {"Different format", "different format", "different format"},
    {"Macro module added", "macro module added", "macro module added"},
    {"Macro module removed", "macro module removed", "macro module removed"},
    {"Macro module changed", "macro module changed", "macro module changed"},
    {"Macro project unreadable", "macro project unreadable", "macro project unreadable"},
};

// The count of each ItemKind, in its order; the duplicate key has none.
constexpr Counted kItemCounts[] = {
    Counted::DifferentValues,   Counted::MissingInFirst, Counted::MissingInSecond,
    Counted::DifferentFormulas, Counted::RowsAdded,      Counted::RowsRemoved,
    Counted::ColumnsAdded,      Counted::ColumnsRemoved,
};

// The count of each kind from ItemKind::DifferentNote on, in its order; the unreadable macro
// project has none.
constexpr Counted kContentCounts[] = {
    Counted::DifferentNotes,    Counted::NameChanges,       Counted::NameChanges,
    Counted::NameChanges,       Counted::VisibilityChanges, Counted::VisibilityChanges,
    Counted::VisibilityChanges, Counted::VisibilityChanges, Counted::VisibilityChanges,
    Counted::VisibilityChanges, Counted::MergedChanges,     Counted::MergedChanges,
    Counted::DifferentFormats,  Counted::MacroChanges,      Counted::MacroChanges,
    Counted::MacroChanges,
};

// In the order of Counted.
constexpr std::array<CountedNames, kCountedKinds> kCounted = {{
    {Counted::DifferentValues, "different value", "different values", "different_values",
     "differentValues", true, false},
    {Counted::MissingInFirst, "missing in FILE1", "missing in FILE1", "missing_in_file1",
     "missingInFile1", true, false},
    {Counted::MissingInSecond, "missing in FILE2", "missing in FILE2", "missing_in_file2",
     "missingInFile2", true, false},
    {Counted::DifferentFormulas, "different formula", "different formulas", "different_formulas",
     "differentFormulas", true, false},
    {Counted::KeyCells, "of them in key cells", "of them in key cells", "key_cells", "keyCells",
     false, false},
    {Counted::RowsAdded, "row added", "rows added", "rows_added", "rowsAdded", true, false},
    {Counted::RowsRemoved, "row removed", "rows removed", "rows_removed", "rowsRemoved", true,
     false},
    {Counted::ColumnsAdded, "column added", "columns added", "columns_added", "columnsAdded", true,
     false},
    {Counted::ColumnsRemoved, "column removed", "columns removed", "columns_removed",
     "columnsRemoved", true, false},
    {Counted::SheetChanges, "sheet change", "sheet changes", "sheet_changes", "sheetChanges", true,
     false},
    {Counted::Moves, "move", "moves", "moves", "moves", true, false},
    {Counted::DifferentNotes, "different note", "different notes", "different_notes",
     "differentNotes", true, true},
    {Counted::NameChanges, "name change", "name changes", "name_changes", "nameChanges", true,
     true},
    {Counted::VisibilityChanges, "visibility change", "visibility changes", "visibility_changes",
     "visibilityChanges", true, true},
    {Counted::MergedChanges, "merged range change", "merged range changes", "merged_range_changes",
     "mergedRangeChanges", true, true},
    {Counted::DifferentFormats, "different format", "different formats", "different_formats",
     "differentFormats", true, true},
    {Counted::MacroChanges, "macro module change", "macro module changes", "macro_module_changes",
     "macroModuleChanges", true, true},
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
  if (kind == ItemKind::DuplicateKey || kind == ItemKind::MacroProblem) return false;
  if (kind >= ItemKind::DifferentNote) {
    counted = kContentCounts[std::size_t(kind) - std::size_t(ItemKind::DifferentNote)];
    return true;
  }
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
