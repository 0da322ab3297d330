#pragma once

#include <memory>
#include <string>

#include "sheet/read_options.h"
#include "sheet/stored_workbook.h"

namespace quill {

// Reads an Office Open XML workbook (.xlsx, .xlsm, .xltx, .xltm). Throws WorkbookError.
std::unique_ptr<StoredWorkbook> readXlsxWorkbook(const std::string& path,
                                                 const ReadOptions& options = {});

}  // namespace quill
