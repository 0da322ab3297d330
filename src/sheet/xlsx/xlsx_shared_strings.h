#pragma once

#include <string_view>
#include <vector>

#include "sheet/text_arena.h"
#include "sheet/zip_archive.h"

namespace quill::xlsx {

// Reads the shared-string table into the arena; the views point into it.
std::vector<std::string_view> readSharedStrings(const ZipArchive& zip, std::string_view part,
                                                TextArena& arena);

}  // namespace quill::xlsx
