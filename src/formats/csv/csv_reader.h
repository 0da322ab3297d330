#pragma once

#include <memory>
#include <string>

#include "sheet/read_options.h"
#include "sheet/stored_workbook.h"

namespace quill {

// Reads a comma-separated UTF-8 text file as one worksheet named after the file. Every
// field is text as written. Throws WorkbookError, or ComparisonCancelled once the options'
// token asks to stop; a text file holds no formulas to read.
std::unique_ptr<StoredWorkbook> readCsvWorkbook(const std::string& path,
                                                const ReadOptions& options = {});

}  // namespace quill
