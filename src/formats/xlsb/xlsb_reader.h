#pragma once

#include <memory>
#include <string>

#include "sheet/read_options.h"
#include "sheet/stored_workbook.h"

namespace quill {

// Reads a binary Office Open workbook (.xlsb). Throws WorkbookError.
std::unique_ptr<StoredWorkbook> readXlsbWorkbook(const std::string& path,
                                                 const ReadOptions& options = {});

}  // namespace quill
