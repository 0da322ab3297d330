#pragma once

#include <string_view>
#include <vector>

#include "formats/package/zip_archive.h"
#include "formats/xlsx/xlsx_styles.h"
#include "sheet/workbook_contents.h"

namespace quill::xlsb {

// Reads a binary styles part once: which cell formats (BrtXF after BrtBeginCellXFs) show their
// numbers as dates or times, a defined number format judged by its code and the others by
// their built-in ids; and, given a formats table, each cell format as a CellFormat (number
// format code, bold, italic, underline, font and fill colours) added to the table once, the
// first cell format as the default one.
xlsx::CellStyles readCellStyles(const ZipArchive& zip, std::string_view part,
                                std::vector<CellFormat>* formatsTable);

}  // namespace quill::xlsb
