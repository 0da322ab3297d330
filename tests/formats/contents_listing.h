#pragma once

#include <string>

#include "sheet/stored_workbook.h"

namespace quill::test {

// What a workbook holds besides its cells' values, one fact a line, sheets in tab order,
// then the defined names:
//   sheet NAME visible|hidden|veryhidden
//   note SHEET!A1 AUTHOR|TEXT        (line breaks as \n)
//   rows SHEET FIRST-LAST            columns SHEET FIRST-LAST
//   merged SHEET A1:B2
//   format SHEET!A1 CODE|bold|italic|underline|FONTCOLOUR|FILLCOLOUR
//   name SCOPE|NAME|FORMULA
// the form the independent readers' scripts in tests/data print.
std::string contentsListing(const StoredWorkbook& workbook);

}  // namespace quill::test
