#include "report/aligned_markup.h"

#include "engine/difference_kinds.h"
#include "report/templates.h"
#include "sheet/address.h"

namespace quill {

namespace {

bool columnAdded(const ColumnPair& column) {
  return column.column1 == 0;
}
bool columnRemoved(const ColumnPair& column) {
  return column.column2 == 0;
}

std::string tableAnchor(std::string_view sheet) {
  return std::string(sheet) + "!";
}

}  // namespace

std::string alignedRowAnchor(std::string_view sheet, const Line& line) {
  const bool added = line.kind == LineKind::RowAdded;
  const std::string row = std::to_string(added ? line.row2 : line.row1);
  return tableAnchor(sheet) + (added ? "+" : "") + row + ":" + row;
}

std::string alignedColumnAnchor(std::string_view sheet, const ColumnPair& column) {
  const bool added = columnAdded(column);
  const std::string letters = columnLetters(added ? column.column2 : column.column1);
  return tableAnchor(sheet) + (added ? "+" : "") + letters + ":" + letters;
}

void appendAlignedTableAnchor(std::string& grid, const TableStart& table) {
  appendTableAnchor(grid, tableAnchor(table.anchorSheet));
}

void appendAlignedTableChanges(std::string& report, const TableStart& table,
                               const ListedAnchors& listed) {
  const std::string anchor = tableAnchor(table.anchorSheet);
  const auto list = [&](std::string_view what, const std::string& to) {
    appendAlignedChangeRow(report, what, to);
    listed(to);
  };
  auto sheet = [](SheetChange change) { return sheetChangeNames(change).document; };
  if (!table.inFirst) return list(sheet(SheetChange::Added), anchor);
  if (!table.inSecond) return list(sheet(SheetChange::Removed), anchor);
  if (table.renamed) {
    appendAlignedChangeRow(report, sheet(SheetChange::Renamed), anchor, table.sheet1, table.sheet2);
    listed(anchor);
  }
  if (table.moved) {
    appendAlignedChangeRow(report, sheet(SheetChange::Moved), anchor,
                           std::to_string(table.position1), std::to_string(table.position2));
    listed(anchor);
  }
  for (const ColumnPair& column : table.columns) {
    if (columnAdded(column))
      list(itemKindNames(ItemKind::ColumnAdded).document,
           alignedColumnAnchor(table.anchorSheet, column));
    else if (columnRemoved(column))
      list(itemKindNames(ItemKind::ColumnRemoved).document,
           alignedColumnAnchor(table.anchorSheet, column));
  }
}

void appendAlignedHeaderCells(std::string& grid, const TableStart& table) {
  // In a table of one file's sheet alone, the whole table is what the list links to.
  const bool oneSided = !table.inFirst || !table.inSecond;
  for (const ColumnPair& column : table.columns) {
    if (columnAdded(column))
      appendAlignedCell(grid, "added",
                        oneSided ? "" : alignedColumnAnchor(table.anchorSheet, column),
                        columnLetters(column.column2));
    else if (columnRemoved(column))
      appendAlignedCell(grid, "removed",
                        oneSided ? "" : alignedColumnAnchor(table.anchorSheet, column),
                        columnLetters(column.column1));
    else
      appendHeaderCell(grid, columnLetters(column.column1));
  }
}

void appendAlignedRowLine(std::string& report, std::string& grid, const Line& line,
                          std::string_view sheet, const ListedAnchors* listed) {
  const bool added = line.kind == LineKind::RowAdded;
  const std::string_view kind = added ? "added" : "removed";
  const std::string anchor = listed ? alignedRowAnchor(sheet, line) : std::string();
  if (listed) {
    appendAlignedChangeRow(
        report, itemKindNames(added ? ItemKind::RowAdded : ItemKind::RowRemoved).document, anchor);
    (*listed)(anchor);
  }
  appendRowStart(grid);
  appendAlignedCell(grid, kind, anchor, std::to_string(added ? line.row2 : line.row1));
  for (const CellPair& cell : line.cells) {
    if (cell.emptyThrough > 0)
      appendEmptyColumnsCell(grid, added ? cell.column2 : cell.column1, cell.emptyThrough);
    else
      appendAlignedCell(grid, kind, "", added ? cell.text2 : cell.text1);
  }
}

}  // namespace quill
