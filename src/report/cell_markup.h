#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "engine/comparison_result.h"

namespace quill {

// The two compared files as the documents name them.
struct FilePaths {
  std::string_view path1;
  std::string_view path2;
};

// Told the anchor each new row of the difference list links to, as the row is written.
using ListedAnchors = std::function<void(std::string_view anchor)>;

// Appends the row of the difference list for a pair whose difference is not None: a missing
// value in the file whose text is empty, a different value, or a different formula.
void appendListedDifference(std::string& report, const FilePaths& files, std::string_view anchor,
                            const CellPair& pair);

// How a grid column is drawn: one grid cell, or two once a changed key took a second one.
enum class ColumnForm : char { Single, Paired };

// Appends the grid cell of a compared pair: a data cell when nothing differs, otherwise a
// marked cell the list links to by its anchor.
void appendComparedCell(std::string& grid, const FilePaths& files, std::string_view anchor,
                        const CellPair& pair, ColumnForm form);

}  // namespace quill
