#pragma once

#include <memory>
#include <string>

#include "sheet/read_options.h"
#include "sheet/stored_workbook.h"

namespace quill {

// Reads an OpenDocument spreadsheet (.ods, .ots). Throws WorkbookError.
std::unique_ptr<StoredWorkbook> readOdsWorkbook(const std::string& path,
                                                const ReadOptions& options = {});

}  // namespace quill
