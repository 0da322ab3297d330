#pragma once

#include <memory>
#include <string>

#include "formats/package/zip_archive.h"
#include "sheet/read_options.h"
#include "sheet/stored_workbook.h"

namespace quill {

// Reads an Office Open XML workbook (.xlsx, .xlsm, .xltx, .xltm). Throws WorkbookError.
std::unique_ptr<StoredWorkbook> readXlsxWorkbook(const std::string& path,
                                                 const ReadOptions& options = {});
// The same for a package already open (one decrypted in memory).
std::unique_ptr<StoredWorkbook> readXlsxPackage(const ZipArchive& zip, const ReadOptions& options);

}  // namespace quill
