#pragma once

#include <ostream>
#include <string_view>

#include "sheet/stored_workbook.h"

namespace quill::cli {

// Writes what a workbook holds besides its cells, as far as `parts` names it, one line for
// each thing, fields separated by tabs and escaped as the cells listing escapes them:
//   name<TAB>[SHEET!]NAME<TAB>=FORMULA
//   sheet hidden<TAB>SHEET<TAB>hidden | very hidden
//   rows hidden<TAB>SHEET!5:9          columns hidden<TAB>SHEET!C:D
//   merged<TAB>SHEET!A1:C2
//   note<TAB>SHEET!A1<TAB>AUTHOR<TAB>TEXT
//   format<TAB>SHEET!B2<TAB>number format 0.00; bold; font colour FF0000; fill theme 4
//   macro<TAB>MODULE, then each line of its source after a tab
//   macro project unreadable<TAB>WHY
// Names first, then each worksheet in tab order, then the macro project: the same workbook
// always gives the same lines.
void writeContentsListing(const StoredWorkbook& workbook, const ContentsToRead& parts,
                          std::ostream& out);

// The lines textconv adds after the rows of a worksheet: its notes, as "# note A1: \"TEXT\""
// (after the author, "AUTHOR: TEXT"), never starting with a letter, so that git's hunk
// headers keep naming the worksheet.
void writeDumpNotes(const SheetContents& sheet, std::ostream& out);

// The lines textconv adds after the last worksheet: "Names:" and a line for each defined
// name, then "Macro: MODULE" and the module's source lines, each after two spaces, so that
// a macro edit shows as changed lines under its module's name.
void writeDumpNamesAndMacros(const WorkbookContents& contents, std::ostream& out);

}  // namespace quill::cli
