#include "formats/macros/macro_reading.h"

#include "formats/macros/macro_modules.h"
#include "sheet/workbook.h"

namespace quill {

void readMacrosInto(const std::string& path, const ReadOptions& options,
                    WorkbookContents& contents) {
  if (!options.contents.macros || contents.read.macros) return;
  contents.read.macros = true;
  try {
    contents.macros = readMacroModules(path, options);
  } catch (const WorkbookError& error) {
    // A damaged project, or a file whose project cannot be reached from its path (an
    // encrypted package): told as one line in place of the modules.
    contents.macros.clear();
    contents.macroProblem = error.what();
  }
}

}  // namespace quill
