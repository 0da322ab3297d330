#pragma once

#include <span>
#include <string_view>
#include <vector>

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

// The row of one worksheet a row comparison reads: its texts from firstColumn on.
struct RowSide {
  const Worksheet& sheet;
  long row = 0;
  long firstColumn = 0;
  std::span<const std::string_view> texts;
};

// Replaces cells with the compared pairs of two rows of the same width, column by column. In
// a row of more than kFoldedColumnsAbove cells, a longer stretch empty in both takes one pair
// standing for all of it.
void compareRowCells(const ComparisonOptions& options, const RowSide& first, const RowSide& second,
                     std::vector<CellPair>& cells);

// For two worksheets read side by side from row first1 of one and first2 of the other: the
// smallest offset from `offset` on at which either may hold a cell, or `count` when neither
// does before it.
long nextOffsetInUse(const Worksheet& sheet1, long first1, const Worksheet& sheet2, long first2,
                     long offset, long count);

}  // namespace quill
