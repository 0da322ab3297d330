#pragma once

#include <string_view>
#include <vector>

#include "formats/package/zip_archive.h"
#include "formats/xlsb/xlsb_sheet_contents.h"
#include "formats/xlsx/xlsx_styles.h"
#include "formula/parsed_formula.h"
#include "sheet/stored_workbook.h"

namespace quill::xlsb {

// What the cells of every worksheet refer to: shared strings, styles and the date system.
struct WorksheetContext {
  const std::vector<std::string_view>& sharedStrings;
  const xlsx::DateStyles& dateStyles;
  bool date1904 = false;
  const FormulaNames* formulaNames = nullptr;  // null unless formulas are read too
  const ContentsContext* contents = nullptr;   // null unless contents are read too
};

// Streams the cell records of a binary worksheet part into the sheet, and what it holds
// besides when context.contents asks for it. Throws WorkbookError
// naming the file, part and sheet for a damaged record or a cell outside the worksheet.
void readWorksheetCells(const ZipArchive& zip, std::string_view part,
                        const WorksheetContext& context, StoredSheet& sheet);

}  // namespace quill::xlsb
