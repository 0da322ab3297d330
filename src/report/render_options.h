#pragma once

#include <string>

namespace quill {

// How the script renderings (text, CSV, JSON) word a result.
struct RenderOptions {
  bool colour = false;  // text: ANSI colours, for a terminal
  // The comparison paired the worksheets itself (the whole workbooks compared), so a pair
  // under two names or at two positions is told as a renamed or moved sheet.
  bool sheetsPaired = false;
  // What the files are called instead of the paths the result names; empty: the paths.
  std::string name1;
  std::string name2;
  // Contents (notes, names, ...) were compared: CSV and JSON give their fields and counts.
  bool contents = false;
  // In a comparison of folder trees: the pair's path inside them; empty otherwise.
  std::string section;
};

}  // namespace quill
