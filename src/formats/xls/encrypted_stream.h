#pragma once

#include <optional>
#include <string>

#include "formats/xls/byte_source.h"
#include "sheet/read_options.h"

namespace quill::xls {

// The password that an .xls file saved "read-only recommended" or with a password to modify
// alone is encrypted with; spreadsheet applications open such files without asking.
inline constexpr const char* kDefaultXlsPassword = "VelvetSweatshop";

// When a BIFF5 or BIFF8 workbook stream is encrypted (a FILEPASS record among its first records),
// gives a copy decrypted in memory, its FILEPASS record turned into one the readers skip;
// otherwise nothing. XOR obfuscation, RC4 and CryptoAPI RC4 are decrypted, the default
// password tried first and then the options' password source asked. Throws PasswordError, or
// WorkbookError for damaged encryption records.
std::optional<std::string> decryptedWorkbookStream(ByteSource& stream, const std::string& path,
                                                   const ReadOptions& options);

}  // namespace quill::xls
