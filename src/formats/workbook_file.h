#pragma once

#include <memory>
#include <string>

#include "sheet/read_options.h"
#include "sheet/stored_workbook.h"

namespace quill {

// Reads a workbook file of any format the readers know, recognised from its content.
// Throws WorkbookError with a one-line message naming the file and the reason.
std::unique_ptr<StoredWorkbook> readWorkbookFile(const std::string& path);
// The same with what else to read; formulas are read from every format but CSV.
std::unique_ptr<StoredWorkbook> readWorkbookFile(const std::string& path,
                                                 const ReadOptions& options);

}  // namespace quill
