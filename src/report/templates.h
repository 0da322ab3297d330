#pragma once

#include <string>
#include <string_view>

namespace quill {

// The pieces the two document bodies are built from. Each appends its text to
// a body; fields are escaped for where they stand, so plain values appear unchanged.

// "Sheet1!C2": a sheet name, "!" and a cell address; the name of a cell in the grid.
std::string cellAnchor(std::string_view sheet, long row, long column);

// Rows of the difference list.
void appendMissingValueRow(std::string& body, std::string_view file, std::string_view anchor);
void appendDifferentValueRow(std::string& body, std::string_view anchor, std::string_view value1,
                             std::string_view value2);
// A cell whose values match and whose formulas differ: both formulas.
void appendDifferentFormulaRow(std::string& body, std::string_view anchor,
                               std::string_view formula1, std::string_view formula2);

// A link of the difference list: the grid anchor it lands on and the text it shows.
struct ListLink {
  std::string_view anchor;
  std::string_view shown;
};

// Rows of the difference list of an aligned comparison: a row, column or sheet added or
// removed ("Row added"), with the link to it; a sheet renamed or moved, with the link and
// its two names or positions. The first form shows the anchor itself as its link.
void appendAlignedChangeRow(std::string& body, std::string_view what, std::string_view anchor);
void appendAlignedChangeRow(std::string& body, std::string_view what, ListLink link);
void appendAlignedChangeRow(std::string& body, std::string_view what, ListLink link,
                            std::string_view value1, std::string_view value2);

// A link of the difference list to a named place of the grid, showing the text.
void appendGridLink(std::string& body, std::string_view anchor, std::string_view text);

// Headings of a grid table; each opens the table and its first row. A sheet's heading may
// carry markup between the sheet's name and its table.
void appendSheetHeading(std::string& grid, std::string_view sheet, long count,
                        std::string_view between = {});
void appendRowsHeading(std::string& grid, std::string_view first, std::string_view last,
                       long count);
void appendColumnsHeading(std::string& grid, std::string_view first, std::string_view last,
                          long count);

// The text of those headings, as they write it: the sheet's name, or "Rows first - last".
void appendRowsTitle(std::string& out, std::string_view first, std::string_view last);
void appendColumnsTitle(std::string& out, std::string_view first, std::string_view last);

// The named place of a whole table in the grid, which links to an added, removed, renamed or
// moved sheet land on.
void appendTableAnchor(std::string& grid, std::string_view anchor);

// Cells of a grid.
void appendHeaderCorner(std::string& grid);
void appendHeaderCell(std::string& grid, std::string_view label);
void appendHeaderCell(std::string& grid, long label);
void appendRowStart(std::string& grid);
void appendRowEnd(std::string& grid);
void appendTableStart(std::string& body);
void appendTableEnd(std::string& grid);
void appendDataCell(std::string& grid, std::string_view value);
// A grid cell (or header) marked for a difference in what the workbooks hold besides cell
// texts: its class, its tooltip (HTML, escaped already) and, unless empty, the anchor the
// list links to.
void appendMarkedCell(std::string& grid, std::string_view cssClass, std::string_view title,
                      std::string_view anchor, std::string_view value);
// A data cell that a link of the difference list can land on: a key cell whose texts differ.
void appendAnchoredDataCell(std::string& grid, std::string_view anchor, std::string_view value);
void appendChangedCell(std::string& grid, std::string_view anchor, std::string_view value1,
                       std::string_view value2);
// A grid cell whose value is the same in both files and whose formula differs: the value,
// marked by its own class, with both formulas in its tooltip and the anchor the list links to.
void appendFormulaCell(std::string& grid, std::string_view anchor, std::string_view value,
                       std::string_view formula1, std::string_view formula2);
void appendCommentCell(std::string& grid, std::string_view file, std::string_view anchor,
                       std::string_view value);
// A cell of an added or removed row or column (kind "added" or "removed"), drawn in the
// legend's colour; with an anchor, the cell links to the row or column land on.
void appendAlignedCell(std::string& grid, std::string_view kind, std::string_view anchor,
                       std::string_view value);
void appendAddedCell(std::string& grid, std::string_view file, std::string_view anchor,
                     std::string_view label);
void appendRemovedCell(std::string& grid, std::string_view file, std::string_view anchor,
                       std::string_view label);

// A grid line standing for rows first to last, empty in both files, across `columns` cells;
// it opens its row as appendRowStart does.
void appendEmptyRowsLine(std::string& grid, long first, long last, long columns);
// A grid cell standing for the cells of columns first to last of a row, empty in both files.
void appendEmptyColumnsCell(std::string& grid, long first, long last);

// Forms for a column that takes two grid columns; each adds one more grid cell.
void appendPairedDataCell(std::string& grid, std::string_view value);
void appendPairedChangedCell(std::string& grid, std::string_view anchor, std::string_view value1,
                             std::string_view value2);
void appendPairedCommentCell(std::string& grid, std::string_view file, std::string_view anchor,
                             std::string_view value);
void appendPairedFormulaCell(std::string& grid, std::string_view anchor, std::string_view value,
                             std::string_view formula1, std::string_view formula2);

}  // namespace quill
