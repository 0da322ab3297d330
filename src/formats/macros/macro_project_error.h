#pragma once

#include "sheet/workbook.h"

namespace quill {

// A macro project that cannot be read; the message names what could not be read.
class MacroProjectError : public WorkbookError {
 public:
  using WorkbookError::WorkbookError;
};

}  // namespace quill
