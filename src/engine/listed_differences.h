#pragma once

#include "engine/comparison_result.h"
#include "engine/difference_kinds.h"

namespace quill {

// What a result lists as its differences, and so what it counts: the one rule that the exit
// code, the summaries and every rendering follow. Each table lists its added and removed
// columns and each line its differing cells or itself; see visitColumnItems and
// visitLineItems.

// One listed difference: a cell pair, or a whole row or column one file has alone. Rows and
// columns are 0 where the item has none in that file (the other file's row, a whole column).
struct DifferenceItem {
  ItemKind kind = ItemKind::DifferentValue;
  bool key = false;  // an identifying cell of a keyed table
  long row1 = 0;
  long column1 = 0;
  long row2 = 0;
  long column2 = 0;
  const CellPair* cell = nullptr;        // the texts and formulas of a cell item
  const ContentItem* content = nullptr;  // what a content item says
};

// Calls visit(item) for each content difference, in order.
template <class Visit>
void visitContentItems(std::span<const ContentItem> items, Visit&& visit) {
  for (const ContentItem& content : items)
    visit(DifferenceItem{content.kind, false, content.row1, content.column1, content.row2,
                         content.column2, nullptr, &content});
}

// Whether the table is an aligned sheet that only one file has: the sheet itself is its one
// difference, and its rows and columns are not listed one by one.
inline bool oneSidedAlignedTable(const TableStart& table) {
  return table.aligned && !(table.inFirst && table.inSecond);
}

// Calls visit(item) for what a table lists as a whole: its rows reordered, then each column
// that only one file has or that moved, in the table's column order.
template <class Visit>
void visitColumnItems(const TableStart& table, Visit&& visit) {
  if (oneSidedAlignedTable(table)) return;
  if (table.rowsReordered)
    visit(DifferenceItem{ItemKind::RowsReordered, false, 0, 0, 0, 0, nullptr});
  for (const ColumnPair& pair : table.columns) {
    if (pair.moved)
      visit(DifferenceItem{ItemKind::ColumnMoved, false, 0, pair.column1, 0, pair.column2, nullptr,
                           nullptr});
    else if (pair.column1 == 0 && pair.column2 != 0)
      visit(DifferenceItem{ItemKind::ColumnAdded, false, 0, 0, 0, pair.column2, nullptr, nullptr});
    else if (pair.column2 == 0 && pair.column1 != 0)
      visit(
          DifferenceItem{ItemKind::ColumnRemoved, false, 0, pair.column1, 0, 0, nullptr, nullptr});
  }
}

// The item kind of a cell pair's difference; the pair must have one.
ItemKind cellItemKind(DifferenceKind difference);

// Calls visit(item) for each difference a line lists: the differing cell pairs of a compared
// row, the differing key cells of a row whose key changed, or the row itself when only one
// file has it, or the move of a moved row before its cells; a compared pair of rows whose key is
// repeated is preceded by a note saying so. Other lines list nothing, and so do the lines of a
// one-sided aligned table.
template <class Visit>
void visitLineItems(const Line& line, bool oneSidedTable, Visit&& visit) {
  if (oneSidedTable) return;
  if (line.duplicateKey && line.kind == LineKind::Compared)
    visit(DifferenceItem{ItemKind::DuplicateKey, false, line.row1, 0, line.row2, 0, nullptr,
                         nullptr});
  switch (line.kind) {
    case LineKind::RowAdded:
      visit(DifferenceItem{ItemKind::RowAdded, false, 0, 0, line.row2, 0, nullptr, nullptr});
      return;
    case LineKind::RowRemoved:
      visit(DifferenceItem{ItemKind::RowRemoved, false, line.row1, 0, 0, 0, nullptr, nullptr});
      return;
    case LineKind::Compared:
      if (line.moved)
        visit(DifferenceItem{ItemKind::RowMoved, false, line.row1, 0, line.row2, 0, nullptr});
      break;
    case LineKind::KeyChanged:
      break;
    default:
      return;
  }
  const bool keyChanged = line.kind == LineKind::KeyChanged;
  for (const CellPair& cell : line.cells) {
    if (cell.difference == DifferenceKind::None || (keyChanged && !cell.identifying)) continue;
    visit(DifferenceItem{cellItemKind(cell.difference), keyChanged || cell.identifying, line.row1,
                         cell.column1, line.row2, cell.column2, &cell, nullptr});
  }
}

}  // namespace quill
