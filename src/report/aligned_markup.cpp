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

// The colour of moves, given with the legend of a table that holds any, so that documents
// without moves stay as they were.
constexpr std::string_view kMovesLegend =
    "<style type=\"text/css\">td.moved {color:black;background-color:#FFCC33;border:0.2mm "
    "solid white; text-align:center}</style><font size=-1>(<span "
    "style='background-color:#FFCC33'>&nbsp;&nbsp;</span>&nbsp; - moved)</font>";

// A moved column's name: "T!C>E:E" for column C of file 1 standing as E in file 2.
std::string movedColumnAnchor(std::string_view sheet, const ColumnPair& column) {
  const std::string letters2 = columnLetters(column.column2);
  return tableAnchor(sheet) + columnLetters(column.column1) + ">" + letters2 + ":" + letters2;
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
  if (table.anyMoved) grid.append(kMovesLegend);
}

void appendMovedRowStart(std::string& report, std::string& grid, const Line& line,
                         std::string_view sheet, const ListedAnchors& listed) {
  const std::string row1 = std::to_string(line.row1), row2 = std::to_string(line.row2);
  const std::string anchor = tableAnchor(sheet) + row1 + ">" + row2 + ":" + row2;
  appendAlignedChangeRow(report, itemKindNames(ItemKind::RowMoved).document, anchor, row1, row2);
  listed(anchor);
  appendAlignedCell(grid, "moved", anchor, row1);
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
  if (table.rowsReordered) list(itemKindNames(ItemKind::RowsReordered).document, anchor);
  for (const ColumnPair& column : table.columns) {
    if (column.moved) {
      const std::string to = movedColumnAnchor(table.anchorSheet, column);
      appendAlignedChangeRow(report, itemKindNames(ItemKind::ColumnMoved).document, to,
                             columnLetters(column.column1), columnLetters(column.column2));
      listed(to);
    } else if (columnAdded(column))
      list(itemKindNames(ItemKind::ColumnAdded).document,
           alignedColumnAnchor(table.anchorSheet, column));
    else if (columnRemoved(column))
      list(itemKindNames(ItemKind::ColumnRemoved).document,
           alignedColumnAnchor(table.anchorSheet, column));
  }
}

void appendAlignedHeaderCells(std::string& grid, const TableStart& table,
                              const std::function<void(long column1)>& plainHeader) {
  // In a table of one file's sheet alone, the whole table is what the list links to.
  const bool oneSided = !table.inFirst || !table.inSecond;
  for (const ColumnPair& column : table.columns) {
    if (column.moved)
      appendAlignedCell(grid, "moved", movedColumnAnchor(table.anchorSheet, column),
                        columnLetters(column.column1));
    else if (columnAdded(column))
      appendAlignedCell(grid, "added",
                        oneSided ? "" : alignedColumnAnchor(table.anchorSheet, column),
                        columnLetters(column.column2));
    else if (columnRemoved(column))
      appendAlignedCell(grid, "removed",
                        oneSided ? "" : alignedColumnAnchor(table.anchorSheet, column),
                        columnLetters(column.column1));
    else
      plainHeader(column.column1);
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
