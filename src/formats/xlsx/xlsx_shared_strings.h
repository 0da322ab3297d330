#pragma once

#include <string_view>
#include <vector>

#include "formats/package/zip_archive.h"
#include "sheet/text_arena.h"

namespace quill::xlsx {

// Reads the shared-string table into the arena, each text trimmed of the blanks at its ends
// as cells show it (unless spaces are kept); the views point into the arena.
std::vector<std::string_view> readSharedStrings(const ZipArchive& zip, std::string_view part,
                                                TextArena& arena, bool keepSpaces = false);

}  // namespace quill::xlsx
