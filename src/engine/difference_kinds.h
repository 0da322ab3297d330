#pragma once

#include <array>
#include <string_view>

namespace quill {

// What one listed difference of a result is.
enum class ItemKind : char {
  DifferentValue,
  MissingInFirst,
  MissingInSecond,
  DifferentFormula,
  RowAdded,       // a row of file 2 without a row in file 1
  RowRemoved,     // a row of file 1 without a row in file 2
  ColumnAdded,    // a column of file 2 without a column in file 1
  ColumnRemoved,  // a column of file 1 without a column in file 2
  DuplicateKey,   // a row whose key occurs more than once; told, not counted as a difference
  RowMoved,       // aligned: a row standing elsewhere in each file, both positions named
  ColumnMoved,    // aligned: a column standing elsewhere in each file
  RowsReordered,  // aligned: nearly every row of a table moved; one item for the table
  // What the workbooks hold besides cell texts, compared on request (see content_items.h).
  DifferentNote,
  NameAdded,
  NameRemoved,
  NameChanged,
  SheetHidden,  // also a hidden sheet made very hidden, and the other way round
  SheetShown,
  RowHidden,
  RowShown,
  ColumnHidden,
  ColumnShown,
  MergedAdded,
  MergedRemoved,
  DifferentFormat,
  MacroAdded,
  MacroRemoved,
  MacroChanged,
  MacroProblem,  // a macro project that could not be read; told, not counted
};

// What a result counts, in the order the outputs give the counts. Each kind of listed
// difference but the duplicate key has a count; key cells count the cell differences that
// lie in identifying cells once more, and sheet changes the aligned sheets added, removed,
// renamed or moved.
enum class Counted : char {
  DifferentValues,
  MissingInFirst,
  MissingInSecond,
  DifferentFormulas,
  KeyCells,
  RowsAdded,
  RowsRemoved,
  ColumnsAdded,
  ColumnsRemoved,
  SheetChanges,
  Moves,  // rows and columns moved, and tables whose rows were reordered
  DifferentNotes,
  NameChanges,
  VisibilityChanges,  // sheets, rows and columns hidden or shown
  MergedChanges,
  DifferentFormats,
  MacroChanges,
};
inline constexpr std::size_t kCountedKinds = 17;

// How each output names a kind of listed difference.
struct ItemKindNames {
  std::string_view document;  // the difference list of report.htm: "Different value"
  std::string_view text;      // text and CSV: "missing in FILE1"
  std::string_view json;      // JSON: "missing in file1"
};

const ItemKindNames& itemKindNames(ItemKind kind);

// The count an item of the kind adds to; false for a kind that is not a difference.
bool countedAs(ItemKind kind, Counted& counted);

// How each output names a count: the text summary's words for one and for several, the CSV
// column and the JSON member.
struct CountedNames {
  Counted counted;
  std::string_view one;   // "different value"
  std::string_view many;  // "different values"
  std::string_view csvColumn;
  std::string_view jsonMember;
  bool difference;  // a kind of difference of its own (key cells are counted again)
  bool contents;    // counts what the workbooks hold besides cell texts: the CSV columns and
                    // JSON members are written only when that is compared
};

// Every count, in output order.
const std::array<CountedNames, kCountedKinds>& countedKinds();

// Whether an output that lists every count gives this one: the counts of contents only when
// contents were compared, so that other results keep their columns and members.
inline bool countShown(const CountedNames& kind, bool contentsCompared) {
  return contentsCompared || !kind.contents;
}

// How a sheet that is not paired as it stands is named in the outputs; SamePosition, a sheet
// compared with the other file's sheet at its position under another name, is no difference.
enum class SheetChange : char { Added, Removed, Renamed, Moved, SamePosition };

struct SheetChangeNames {
  std::string_view document;  // "Sheet added"
  std::string_view text;      // text and CSV: "sheet only in FILE2"
};

const SheetChangeNames& sheetChangeNames(SheetChange change);

}  // namespace quill
