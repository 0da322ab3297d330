#pragma once

#include <string>

namespace quill {

// What the root storage of a compound document holds, as far as workbooks go.
enum class CompoundContent { Workbook, EncryptedPackage, Other };

// Lists the root streams of a compound document. Throws WorkbookError when its directory
// cannot be read.
CompoundContent probeCompoundFile(const std::string& path);

}  // namespace quill
