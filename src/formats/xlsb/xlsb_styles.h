#pragma once

#include <string_view>

#include "formats/xlsx/xlsx_styles.h"
#include "formats/package/zip_archive.h"

namespace quill::xlsb {

// Reads which cell formats of a binary styles part show their numbers as dates or times:
// the number formats the part defines are judged by their codes, the others by the
// built-in ids.
xlsx::DateStyles readDateStyles(const ZipArchive& zip, std::string_view part);

}  // namespace quill::xlsb
