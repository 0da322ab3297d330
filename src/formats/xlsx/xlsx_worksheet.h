#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "formats/package/zip_archive.h"
#include "formats/xlsx/xlsx_styles.h"
#include "sheet/stored_workbook.h"

namespace quill::xlsx {

// What the cells of every worksheet refer to: shared strings, styles and the date system.
struct WorksheetContext {
  const std::vector<std::string_view>& sharedStrings;
  const DateStyles& dateStyles;
  bool date1904 = false;
  bool formulas = false;      // whether the cells' formulas are read too
  ContentsToRead contents{};  // hidden rows and columns, merged ranges, formats
  const std::vector<std::uint32_t>* cellFormats = nullptr;  // style -> formats table
};

// Streams the cells of a worksheet part into a new sheet of the workbook, with the name
// given, and gives that sheet.
StoredSheet& readWorksheetCells(const ZipArchive& zip, std::string_view part,
                                const WorksheetContext& context, StoredWorkbook& workbook,
                                std::string name);

// Reads an A1 cell reference ("B12", either case); false when it is malformed. Rows and
// columns past the worksheet's limits are given as they are, capped, for the caller to refuse.
bool parseCellReference(std::string_view reference, long& row, long& column);

}  // namespace quill::xlsx
