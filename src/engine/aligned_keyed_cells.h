#pragma once

#include <vector>

#include "engine/comparison_options.h"
#include "engine/comparison_result.h"
#include "sheet/workbook.h"

namespace quill {

// Builds the cells of one line of an aligned keyed table: a row of each file over the
// table's column pairs (0 in a row or a column: the file has none there).
class AlignedCells {
 public:
  AlignedCells(const ComparisonOptions& options, const Worksheet& sheet1, const Worksheet& sheet2)
      : options_(options), sheet1_(sheet1), sheet2_(sheet2) {}

  // The cell of a column pair: compared when both files have the row and the column, else
  // shown with the texts the files hold, not listed (an added or removed row or column is
  // listed once as a whole).
  CellPair cell(long row1, long row2, const ColumnPair& column) const;

  // The line of a row pair over the columns: Compared, or RowAdded / RowRemoved when one
  // file lacks the row; the cells of the identifying columns (file 1's numbers) are marked.
  // The cells live until the next call.
  Line line(long row1, long row2, const std::vector<ColumnPair>& columns,
            const std::vector<long>& identifying = {});

 private:
  const ComparisonOptions& options_;
  const Worksheet& sheet1_;
  const Worksheet& sheet2_;
  std::vector<CellPair> cells_;
};

}  // namespace quill
