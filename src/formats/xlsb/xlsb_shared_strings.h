#pragma once

#include <string_view>
#include <vector>

#include "formats/package/zip_archive.h"
#include "sheet/text_arena.h"

namespace quill::xlsb {

// Reads the shared-string table of a binary workbook: each item's text, trimmed (unless
// spaces are kept) and stored
// in the arena, its formatting and phonetic runs skipped. The table grows with the items
// really present, whatever count the part announces.
std::vector<std::string_view> readSharedStrings(const ZipArchive& zip, std::string_view part,
                                                TextArena& arena, bool keepSpaces = false);

}  // namespace quill::xlsb
