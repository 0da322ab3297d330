#pragma once

#include <memory>
#include <string>

#include "sheet/stored_workbook.h"

namespace quill {

// Reads a comma-separated UTF-8 text file as one worksheet named after the file. Every
// field is text as written. Throws WorkbookError.
std::unique_ptr<StoredWorkbook> readCsvWorkbook(const std::string& path);

}  // namespace quill
