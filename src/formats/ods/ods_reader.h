#pragma once

#include <memory>
#include <string>

#include "sheet/read_options.h"
#include "sheet/stored_workbook.h"

namespace quill {

class ZipArchive;

// Reads an OpenDocument spreadsheet (.ods, .ots); a package saved with a password has its
// content decrypted in memory with the password the options' source gives. Throws
// PasswordError for a missing, empty or wrong password and WorkbookError for the rest.
std::unique_ptr<StoredWorkbook> readOdsWorkbook(const std::string& path,
                                                const ReadOptions& options = {});

// The same for a package already open, such as one held in memory.
std::unique_ptr<StoredWorkbook> readOdsPackage(const ZipArchive& package,
                                               const ReadOptions& options = {});

}  // namespace quill
