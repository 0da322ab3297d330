#pragma once

#include <string>

#include "engine/difference_kinds.h"

namespace quill {

// One difference in what two workbooks hold besides their cell texts: a note, a defined
// name, a hidden sheet, row or column, a merged range, a cell's format or a macro module.
// Plain data; the outputs word it.
struct ContentItem {
  ItemKind kind = ItemKind::DifferentNote;
  // Where it lies in each file: a cell, a row (column 0) or a column (row 0); 0 where that
  // file has no place for it, and both 0 for what belongs to the whole workbook or sheet.
  long row1 = 0;
  long column1 = 0;
  long row2 = 0;
  long column2 = 0;
  // Rows and columns hidden or shown: how many follow one another from the place on.
  long count = 1;
  // What it is about: a defined name ("Rate", "Prices!Rate" for one scoped to a sheet), a
  // macro module's name, a merged range ("B2:D3", of the file that has it).
  std::string subject;
  // What each file has: the note ("author: text"), the name's formula, the sheet's
  // visibility, the cell's changed format properties; "" where it has none.
  std::string text1;
  std::string text2;
  // A different format: the properties that changed ("number format, bold"); a changed macro
  // module: its changed lines as a unified diff; an unreadable macro project: why.
  std::string detail;
};

// Whether the kind belongs to the whole workbook (names, macros) rather than to a sheet pair.
inline bool workbookWide(ItemKind kind) {
  return (kind >= ItemKind::NameAdded && kind <= ItemKind::NameChanged) ||
         kind >= ItemKind::MacroAdded;
}

// An item of the kind with nothing else told yet.
inline ContentItem contentItem(ItemKind kind) {
  ContentItem item;
  item.kind = kind;
  return item;
}

}  // namespace quill
