#pragma once

#include <memory>
#include <string>

#include "sheet/read_options.h"
#include "sheet/stored_workbook.h"

namespace quill {

// Reads an .xlsx, .xlsm or .xlsb workbook encrypted with a password to open: the zip package
// is decrypted in memory, with the password the options' source gives, and read as the
// unencrypted file would be. Throws PasswordError for a missing, empty or wrong password and
// WorkbookError for anything else.
std::unique_ptr<StoredWorkbook> readEncryptedPackageWorkbook(const std::string& path,
                                                             const ReadOptions& options);

// The zip package an encrypted file holds, decrypted in memory with the password the
// options' source gives; throws as readEncryptedPackageWorkbook does.
std::string decryptedPackage(const std::string& path, const ReadOptions& options);

}  // namespace quill
