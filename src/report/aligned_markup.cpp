#include "report/aligned_markup.h"

#include "engine/difference_kinds.h"
#include "report/difference_items.h"
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

// How a list row names what it links to: a table aligned by content as the text output
// addresses the item, else by the anchor itself.
std::string shownPlace(const TableStart& table, std::string_view anchor, long row1, long column1,
                       long row2, long column2) {
  if (!table.alignedByContent) return std::string(anchor);
  const ItemSheets sheets{table.sheet1, table.sheet2, table.inFirst, table.inSecond};
  return itemAddress(sheets, row1, column1, row2, column2);
}

// A grid label naming both files' numbers where they differ ("4/5"), one where they agree.
std::string bothLabels(const std::string& label1, const std::string& label2) {
  return label1 == label2 ? label1 : label1 + "/" + label2;
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

std::string alignedRowLabel(const Line& line, bool both) {
  if (line.row1 == 0 || line.row2 == 0) return std::to_string(line.row1 + line.row2);
  const std::string row1 = std::to_string(line.row1);
  return both ? bothLabels(row1, std::to_string(line.row2)) : row1;
}

std::string alignedColumnLabel(const ColumnPair& column, bool both) {
  if (column.column1 == 0 || column.column2 == 0)
    return columnLetters(column.column1 + column.column2);
  const std::string letters1 = columnLetters(column.column1);
  return both ? bothLabels(letters1, columnLetters(column.column2)) : letters1;
}

void appendMovedRowStart(std::string& report, std::string& grid, const Line& line,
                         const TableStart& table, const ListedAnchors& listed) {
  const std::string row1 = std::to_string(line.row1), row2 = std::to_string(line.row2);
  const std::string anchor = tableAnchor(table.anchorSheet) + row1 + ">" + row2 + ":" + row2;
  const std::string shown = shownPlace(table, anchor, line.row1, 0, line.row2, 0);
  appendAlignedChangeRow(report, itemKindNames(ItemKind::RowMoved).document, {anchor, shown}, row1,
                         row2);
  listed(anchor);
  appendAlignedCell(grid, "moved", anchor, alignedRowLabel(line, table.alignedByContent));
}

void appendAlignedTableChanges(std::string& report, const TableStart& table,
                               const ListedAnchors& listed) {
  const std::string anchor = tableAnchor(table.anchorSheet);
  // A change of the whole sheet is shown as its name, one of a column as the column's place.
  const auto list = [&](std::string_view what, const std::string& to, long column1 = 0,
                        long column2 = 0) {
    appendAlignedChangeRow(report, what, {to, shownPlace(table, to, 0, column1, 0, column2)});
    listed(to);
  };
  auto sheet = [](SheetChange change) { return sheetChangeNames(change).document; };
  if (!table.inFirst) return list(sheet(SheetChange::Added), anchor);
  if (!table.inSecond) return list(sheet(SheetChange::Removed), anchor);
  const std::string name = shownPlace(table, anchor, 0, 0, 0, 0);
  if (table.renamed) {
    appendAlignedChangeRow(report, sheet(SheetChange::Renamed), {anchor, name}, table.sheet1,
                           table.sheet2);
    listed(anchor);
  }
  if (table.moved) {
    appendAlignedChangeRow(report, sheet(SheetChange::Moved), {anchor, name},
                           std::to_string(table.position1), std::to_string(table.position2));
    listed(anchor);
  }
  if (table.rowsReordered) list(itemKindNames(ItemKind::RowsReordered).document, anchor);
  for (const ColumnPair& column : table.columns) {
    if (column.moved) {
      const std::string to = movedColumnAnchor(table.anchorSheet, column);
      const std::string shown = shownPlace(table, to, 0, column.column1, 0, column.column2);
      appendAlignedChangeRow(report, itemKindNames(ItemKind::ColumnMoved).document, {to, shown},
                             columnLetters(column.column1), columnLetters(column.column2));
      listed(to);
    } else if (columnAdded(column))
      list(itemKindNames(ItemKind::ColumnAdded).document,
           alignedColumnAnchor(table.anchorSheet, column), 0, column.column2);
    else if (columnRemoved(column))
      list(itemKindNames(ItemKind::ColumnRemoved).document,
           alignedColumnAnchor(table.anchorSheet, column), column.column1, 0);
  }
}

void appendAlignedHeaderCells(
    std::string& grid, const TableStart& table,
    const std::function<void(long column1, std::string_view label)>& plainHeader) {
  // In a table of one file's sheet alone, the whole table is what the list links to.
  const bool oneSided = !table.inFirst || !table.inSecond;
  for (const ColumnPair& column : table.columns) {
    if (column.moved)
      appendAlignedCell(grid, "moved", movedColumnAnchor(table.anchorSheet, column),
                        alignedColumnLabel(column, table.alignedByContent));
    else if (columnAdded(column))
      appendAlignedCell(grid, "added",
                        oneSided ? "" : alignedColumnAnchor(table.anchorSheet, column),
                        columnLetters(column.column2));
    else if (columnRemoved(column))
      appendAlignedCell(grid, "removed",
                        oneSided ? "" : alignedColumnAnchor(table.anchorSheet, column),
                        columnLetters(column.column1));
    else
      plainHeader(column.column1, alignedColumnLabel(column, table.alignedByContent));
  }
}

void appendAlignedRowLine(std::string& report, std::string& grid, const Line& line,
                          const TableStart& table, const ListedAnchors* listed) {
  const bool added = line.kind == LineKind::RowAdded;
  const std::string_view kind = added ? "added" : "removed";
  const std::string anchor = listed ? alignedRowAnchor(table.anchorSheet, line) : std::string();
  if (listed) {
    const std::string shown = shownPlace(table, anchor, line.row1, 0, line.row2, 0);
    appendAlignedChangeRow(
        report, itemKindNames(added ? ItemKind::RowAdded : ItemKind::RowRemoved).document,
        {anchor, shown});
    (*listed)(anchor);
  }
  appendRowStart(grid);
  appendAlignedCell(grid, kind, anchor, alignedRowLabel(line, table.alignedByContent));
  for (const CellPair& cell : line.cells) {
    if (cell.emptyThrough > 0)
      appendEmptyColumnsCell(grid, added ? cell.column2 : cell.column1, cell.emptyThrough);
    else
      appendAlignedCell(grid, kind, "", added ? cell.text2 : cell.text1);
  }
}

}  // namespace quill
