#pragma once

#include <string>

namespace quill {

// The kind of comparison the smaller-area window asks for.
enum class Mode { Range, Rows, Columns };

// Everything a comparison needs besides the open workbooks; each field is named after the
// window control that edits it and holds what that control shows.
struct ComparisonRequest {
  std::string Text1;  // path of the file to compare
  std::string Text2;  // path of the file to compare with
  int Combo1 = -1;    // list position of File #1's worksheet: -1 none, 0 blank, k sheet k
  int Combo2 = -1;    // the same for File #2
  Mode mode = Mode::Range;
  std::string txtRange1;
  std::string txtRange2;
  std::string txtStartColumn = "1";
  std::string txtEndColumn;
  std::string txtIdentifyingColumns;
  std::string txtIgnoreColumns;
};

}  // namespace quill
