#pragma once

#include <string>
#include <vector>

#include "sheet/read_options.h"
#include "sheet/workbook.h"
#include "sheet/workbook_contents.h"

namespace quill {

// A macro project that cannot be read; the message names what could not be read.
class MacroProjectError : public WorkbookError {
 public:
  using WorkbookError::WorkbookError;
};

// The source text of every module of the workbook file's macro project (the
// vbaProject.bin part of .xlsm/.xlsb, the project storage of .xls), in the project's order;
// empty when the file holds none or its format has none (.xlsx, .ods, .csv). Throws
// MacroProjectError when a project is there but cannot be read.
std::vector<MacroModule> readMacroModules(const std::string& path, const ReadOptions& options);

}  // namespace quill
