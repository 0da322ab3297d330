#pragma once

#include <string>
#include <vector>

#include "formats/package/zip_archive.h"

namespace quill::xlsx {

// A worksheet as the workbook part lists it: its tab name and the part holding its cells.
struct WorksheetEntry {
  std::string name;
  std::string part;
};

// What the workbook part says about the whole workbook.
struct WorkbookPart {
  std::string part;
  bool date1904 = false;
  std::vector<WorksheetEntry> worksheets;  // in tab order; chart, dialog and macro sheets left out
  std::string sharedStringsPart;           // empty when the workbook has none
  std::string stylesPart;                  // empty when the workbook has none
};

// Finds the workbook part through the package relationships and reads it.
WorkbookPart readWorkbookPart(const ZipArchive& zip);

}  // namespace quill::xlsx
