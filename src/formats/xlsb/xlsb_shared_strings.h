#pragma once

#include <string_view>
#include <vector>

#include "sheet/text_arena.h"
#include "formats/package/zip_archive.h"

namespace quill::xlsb {

// Reads the shared-string table of a binary workbook: each item's text, trimmed and stored
// in the arena, its formatting and phonetic runs skipped. The table grows with the items
// really present, whatever count the part announces.
std::vector<std::string_view> readSharedStrings(const ZipArchive& zip, std::string_view part,
                                                TextArena& arena);

}  // namespace quill::xlsb
