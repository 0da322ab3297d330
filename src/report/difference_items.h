#pragma once

#include <string>
#include <string_view>

namespace quill {

// Where an item lies in one file: "C3" for a cell, "5" for a whole row, "D" for a whole
// column, "" where it has no place in that file.
std::string itemPlace(long row, long column);

// The two sheets an item's places are read in, as its address writes them, and whether each
// file has its sheet.
struct ItemSheets {
  std::string_view sheet1, sheet2;
  bool inFirst = true, inSecond = true;
};

// An item's address as a person reads it: "Data!C3" where both files name the same place,
// "Data!3 / Data!5" where they differ, the one file's place where only it has one, and the
// sheet's name alone for an item of the whole sheet.
std::string itemAddress(const ItemSheets& sheets, long row1, long column1, long row2, long column2);

}  // namespace quill
