#pragma once

#include <string>

namespace quill {

// Where an item lies in one file: "C3" for a cell, "5" for a whole row, "D" for a whole
// column, "" where it has no place in that file.
std::string itemPlace(long row, long column);

}  // namespace quill
