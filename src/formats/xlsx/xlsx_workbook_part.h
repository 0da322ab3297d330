#pragma once

#include <string>
#include <vector>

#include "formats/package/zip_archive.h"
#include "sheet/workbook_contents.h"

namespace quill::xlsx {

// A worksheet as the workbook part lists it: its tab name and the part holding its cells.
struct WorksheetEntry {
  std::string name;
  std::string part;
  SheetVisibility visibility = SheetVisibility::Visible;
};

// What the workbook part says about the whole workbook.
struct WorkbookPart {
  std::string part;
  bool date1904 = false;
  std::vector<WorksheetEntry> worksheets;  // in tab order; chart, dialog and macro sheets left out
  std::string sharedStringsPart;           // empty when the workbook has none
  std::string stylesPart;                  // empty when the workbook has none
  std::string personsPart;                 // the authors of threaded comments, or empty
  std::vector<DefinedName> names;          // read only when asked for, in the part's order
};

// Finds the workbook part through the package relationships and reads it, with its
// defined names when readNames is set.
WorkbookPart readWorkbookPart(const ZipArchive& zip, bool readNames = false);

}  // namespace quill::xlsx
