#pragma once

#include <string>
#include <vector>

#include "report/documents.h"
#include "report/templates.h"

namespace quill::test {

// One grid table to build: a sheet's grid, or a keyed comparison's rows or columns.
struct GridTableSpec {
  enum class Kind { Sheet, KeyedRows, KeyedColumns } kind = Kind::Sheet;
  std::string name;
  long rows = 0;
  long columns = 0;
};

// A grid document built with the real templates, and the anchors of its cells in order.
struct BuiltGrid {
  std::string document;
  std::vector<std::string> anchors;
  std::vector<std::string> tableRows;  // each table's rows, as written
};

inline void appendSpecHeading(std::string& grid, const GridTableSpec& table) {
  using Kind = GridTableSpec::Kind;
  if (table.kind == Kind::Sheet) appendSheetHeading(grid, table.name, table.columns + 1);
  if (table.kind == Kind::KeyedRows) appendRowsHeading(grid, "A1", "C9", table.columns + 1);
  if (table.kind == Kind::KeyedColumns) appendColumnsHeading(grid, "A1", "C9", table.columns + 1);
  appendHeaderCorner(grid);
  for (long column = 1; column <= table.columns; ++column) appendHeaderCell(grid, column);
  if (table.kind != GridTableSpec::Kind::Sheet) appendRowEnd(grid);
}

inline void appendSpecRow(BuiltGrid& built, const GridTableSpec& table, long row,
                          std::string& rows) {
  appendRowStart(rows);
  appendHeaderCell(rows, row);
  for (long column = 1; column <= table.columns; ++column) {
    const std::string anchor = cellAnchor(table.name, row, column);
    if (table.kind != GridTableSpec::Kind::Sheet && column == 1) {
      appendAddedCell(rows, "b.xlsx", anchor, "<tr> added");
      built.anchors.push_back("b.xlsx!" + anchor);
    } else if ((row + column) % 3 == 0) {
      appendChangedCell(rows, anchor, "<tr>old</tr>", "new & \"quoted\"");
      built.anchors.push_back(anchor);
    } else {
      appendDataCell(rows, "plain <table colls=3> text");
    }
  }
  // Whole-sheet grids leave their rows unclosed, keyed ones close them.
  if (table.kind != GridTableSpec::Kind::Sheet) appendRowEnd(rows);
}

inline BuiltGrid buildGrid(const std::vector<GridTableSpec>& tables) {
  BuiltGrid built;
  std::string body;
  for (const GridTableSpec& table : tables) {
    appendSpecHeading(body, table);
    std::string rows;
    for (long row = 1; row <= table.rows; ++row) appendSpecRow(built, table, row, rows);
    body += rows;
    appendTableEnd(body);
    body += "<br>";
    built.tableRows.push_back(rows);
  }
  const DocumentTitle title{"/in/<h3>a.xlsx", "/in/b.xlsx", "2026-01-02 03:04:05",
                            "<font size=+1> caption"};
  built.document = gridDocumentHead(title) + body + std::string(gridDocumentTail());
  return built;
}

}  // namespace quill::test
