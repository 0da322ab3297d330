#pragma once

#include <functional>
#include <string>
#include <vector>

#include "formats/macros/macro_project_error.h"
#include "sheet/read_options.h"
#include "sheet/workbook.h"
#include "sheet/workbook_contents.h"

namespace quill {

class ZipArchive;

// The source text of every module of the workbook file's macro project (the
// vbaProject.bin part of .xlsm/.xlsb, the project storage of .xls), in the project's order;
// empty when the file holds none or its format has none (.xlsx, .ods, .csv). An encrypted
// package is decrypted with the options' passwords first. Sources are UTF-8 with their
// lines ended by "\n" whatever the project stored. Throws MacroProjectError when a project
// is there but cannot be read.
std::vector<MacroModule> readMacroModules(const std::string& path, const ReadOptions& options);

// The same for a package already open (a decrypted one).
std::vector<MacroModule> readMacroModules(const ZipArchive& package, const ReadOptions& options);

// The same for a macro project held as the bytes of its compound file (a vbaProject.bin
// part); throws MacroProjectError with the reason only.
std::vector<MacroModule> readMacroProject(std::string compoundFile, const ReadOptions& options);

// Fills the macros of contents with what read gives and marks them read; a project that
// cannot be read leaves its one-line reason in macroProblem instead, so that the rest of
// the workbook is still compared.
void fillMacroModules(WorkbookContents& contents,
                      const std::function<std::vector<MacroModule>()>& read);

}  // namespace quill
