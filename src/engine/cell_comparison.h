#pragma once

#include <string_view>

#include "engine/comparison_options.h"
#include "engine/comparison_result.h"
#include "sheet/workbook.h"

namespace quill {

// Stretches empty in both files longer than these take one grid line (rows) or one cell pair
// (columns of a row) instead of one per position, so that a far cell does not make the grid
// huge; ordinary tables with a few empty rows or columns keep a cell for each position.
inline constexpr long kFoldedRowsAbove = 1000;
inline constexpr long kFoldedColumnsAbove = 100;

// One cell of one worksheet and the text it compares with.
struct CellSide {
  const Worksheet& sheet;
  long row = 0;
  long column = 0;
  std::string_view text;
};

// The pair of two cells compared under the options: both texts, both formulas when formulas
// are compared, and what the difference list reports for them.
CellPair comparedPair(const ComparisonOptions& options, const CellSide& first,
                      const CellSide& second);

}  // namespace quill
