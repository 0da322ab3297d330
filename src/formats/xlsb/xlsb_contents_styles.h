#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "formats/package/cell_format_table.h"
#include "formats/package/zip_archive.h"

namespace quill::xlsb {

// Reads the cell formats of a binary styles part as CellFormats (number format code, bold,
// italic, underline, font and fill colours) into the workbook's formats, each once, the
// first cell format as the default one; gives the number of each cell format (BrtXF after
// BrtBeginCellXFs) in order.
std::vector<std::uint32_t> readCellFormats(const ZipArchive& zip, std::string_view part,
                                           std::vector<CellFormat>& formats);

}  // namespace quill::xlsb
