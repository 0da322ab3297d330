#pragma once

#include <memory>
#include <string>

#include "sheet/read_options.h"
#include "sheet/stored_workbook.h"
#include "formats/xls/byte_source.h"
#include "formats/xls/compound_file.h"

namespace quill {

// Reads a binary workbook (.xls): BIFF8 and BIFF5 workbooks in a compound file, and
// BIFF2 to BIFF4 single worksheets, which are named after the file without its extension.
// Throws WorkbookError with a one-line message naming the file and the reason.
std::unique_ptr<StoredWorkbook> readXlsWorkbook(const std::string& path,
                                                const ReadOptions& options = {});

namespace xls {

// Reads the record stream of an .xls file. bareSheetName names the one worksheet of a
// BIFF2 to BIFF4 file. Throws WorkbookError with the reason only.
std::unique_ptr<StoredWorkbook> readXlsStream(ByteSource& stream, StreamKind kind,
                                              const std::string& bareSheetName,
                                              const ReadOptions& options = {});

}  // namespace xls

}  // namespace quill
