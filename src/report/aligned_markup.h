#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "engine/comparison_result.h"
#include "report/cell_markup.h"

namespace quill {

// The names in the grid of an aligned table's added and removed rows and columns: "T!3:3"
// for row 3 of file 1, "T!+3:3" for row 3 of file 2, "T!C:C" and "T!+C:C" for columns.
std::string alignedRowAnchor(std::string_view sheet, const Line& line);
std::string alignedColumnAnchor(std::string_view sheet, const ColumnPair& column);

// The grid's label of an aligned row (column): the number (letters) of the one file that has
// it; of a pair, file 1's, or with both, both files' where they differ ("4/5", "B/C").
std::string alignedRowLabel(const Line& line, bool both);
std::string alignedColumnLabel(const ColumnPair& column, bool both);

// Names an aligned table's place in the grid, which the rows of its sheet link to, and, when
// anything in it moved, shows the colour of moves.
void appendAlignedTableAnchor(std::string& grid, const TableStart& table);

// A moved row of an aligned table: its row of the list, naming both rows, and its number in
// the grid drawn in the colour of moves; the row's cells follow as in any compared row.
void appendMovedRowStart(std::string& report, std::string& grid, const Line& line,
                         const TableStart& table, const ListedAnchors& listed);

// Lists what changed in an aligned table as a whole: a sheet added, removed, renamed or
// moved; its rows reordered; each column added, removed or moved. Each row's anchor is told to
// listed.
void appendAlignedTableChanges(std::string& report, const TableStart& table,
                               const ListedAnchors& listed);

// The header cells of an aligned table: the letters of file 1's column; an added column's
// letters of file 2 marked added, a removed column's marked removed, each the place its row
// of the list links to. A column both files have in place is drawn by plainHeader with its
// label (both files' letters where they differ).
void appendAlignedHeaderCells(
    std::string& grid, const TableStart& table,
    const std::function<void(long column1, std::string_view label)>& plainHeader);

// An added or removed row: its number and cells drawn in the legend's colour, and its row
// of the list unless the whole sheet is added or removed (whose anchor is told to listed).
void appendAlignedRowLine(std::string& report, std::string& grid, const Line& line,
                          const TableStart& table, const ListedAnchors* listed);

}  // namespace quill
