#pragma once

#include <optional>
#include <string>

#include "engine/comparison_options.h"

namespace quill {

// The kind of comparison the smaller-area window asks for.
enum class Mode { Range, Rows, Columns };

// Everything a comparison needs besides the open workbooks. The texts are kept as typed: the
// comparison that reads a field checks it and names it in its message.
struct ComparisonRequest {
  std::string path1;  // the file to compare
  std::string path2;  // the file to compare with
  // The chosen worksheet of each file, a position from 1; none when no worksheet is chosen.
  std::optional<int> sheet1;
  std::optional<int> sheet2;
  Mode mode = Mode::Range;
  // Range mode: the compared range of each file. The keyed modes read range1 only: the
  // columns (rows mode) or rows (columns mode) of the table.
  std::string range1;
  std::string range2;
  std::string startRow = "1";     // rows mode: the table's first and last row
  std::string endRow;             // empty: the last used row
  std::string startColumn = "A";  // columns mode: the table's first and last column
  std::string endColumn;          // empty: the last used column
  std::string identifying;        // the key columns (rows mode) or rows (columns mode)
  std::string ignored;            // the columns or rows left out
  ComparisonOptions options;      // tolerance, case, blanks and formulas; exact by default
};

}  // namespace quill
