#pragma once

#include <string>
#include <vector>

#include "formats/package/zip_archive.h"
#include "formats/xlsb/xlsb_formula_names.h"
#include "formats/xlsx/xlsx_workbook_part.h"
#include "sheet/workbook_contents.h"

namespace quill::xlsb {

// What the binary workbook part and its relationships say about the whole workbook.
struct WorkbookPart {
  std::string part;
  bool date1904 = false;
  std::vector<xlsx::WorksheetEntry> worksheets;  // tab order; chart, dialog, macro sheets left out
  std::vector<SheetVisibility> visibilities;     // of each worksheet
  std::string sharedStringsPart;                 // empty when the workbook has none
  std::string stylesPart;                        // empty when the workbook has none
  FormulaNameTables formulaNames;                // what formula tokens refer to
  std::vector<DefinedName> names;                // only when asked for; sorted
};

// Finds the workbook part through the package relationships and reads its sheet list and
// date system, and its defined names when asked for. Throws WorkbookError.
WorkbookPart readWorkbookPart(const ZipArchive& zip, bool readNames = false);

}  // namespace quill::xlsb
