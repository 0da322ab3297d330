#pragma once

#include <string>

#include "sheet/read_options.h"
#include "sheet/workbook_contents.h"

namespace quill {

// Reads the workbook file's macro modules into its contents when they are asked for and its
// reader has not read them itself: a project that cannot be read becomes the contents'
// macroProblem, one line naming what could not be read, so that the cells are read and
// compared all the same.
void readMacrosInto(const std::string& path, const ReadOptions& options,
                    WorkbookContents& contents);

}  // namespace quill
