#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "sheet/stored_workbook.h"

namespace quill::cli {

// A cell text as one quoted field of a dump line: in double quotes, with backslash, double
// quote, tab, line feed and carriage return written \\, \", \t, \n and \r, and any other
// control character as \xHH, so that the field stays on its line and a terminal shows it
// as it is.
std::string quoteForDump(std::string_view text);

// Writes a workbook as lines that a line-by-line diff reads well: for each worksheet in tab
// order a line "Sheet: NAME" (the name with the cells listing's escapes), then one line for
// each row from row 1 to the last row that holds a cell. A row's line holds its cells from
// column A on as quoted fields separated by commas, an empty cell as nothing between two
// commas and the empty cells after the last one left out; an empty row is an empty line.
// No line holds a row number, so the n-th line after a header is row n, and a changed cell
// changes one line while an inserted row adds one. A worksheet's notes follow its rows, and
// the defined names and macro modules follow the last worksheet (see contents_listing.h), as
// far as the workbook was read with them.
void writeTextDump(const StoredWorkbook& workbook, std::ostream& out);

}  // namespace quill::cli
