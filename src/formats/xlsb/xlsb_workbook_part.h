#pragma once

#include <string>
#include <vector>

#include "formats/xlsb/xlsb_formula_names.h"
#include "formats/xlsx/xlsx_workbook_part.h"
#include "formats/package/zip_archive.h"

namespace quill::xlsb {

// What the binary workbook part and its relationships say about the whole workbook.
struct WorkbookPart {
  std::string part;
  bool date1904 = false;
  std::vector<xlsx::WorksheetEntry> worksheets;  // tab order; chart, dialog, macro sheets left out
  std::string sharedStringsPart;                 // empty when the workbook has none
  std::string stylesPart;                        // empty when the workbook has none
  FormulaNameTables formulaNames;                // what formula tokens refer to
};

// Finds the workbook part through the package relationships and reads its sheet list and
// date system. Throws WorkbookError.
WorkbookPart readWorkbookPart(const ZipArchive& zip);

}  // namespace quill::xlsb
