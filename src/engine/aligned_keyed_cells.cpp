#include "engine/aligned_keyed_cells.h"

#include <algorithm>

#include "engine/cell_comparison.h"

namespace quill {

CellPair AlignedCells::cell(long row1, long row2, const ColumnPair& column) const {
  const bool has1 = row1 != 0 && column.column1 != 0;
  const bool has2 = row2 != 0 && column.column2 != 0;
  const std::string_view text1 = has1 ? sheet1_.cellText(row1, column.column1) : "";
  const std::string_view text2 = has2 ? sheet2_.cellText(row2, column.column2) : "";
  CellPair pair;
  if (has1 && has2)
    pair = comparedPair(options_, {sheet1_, row1, column.column1, text1},
                        {sheet2_, row2, column.column2, text2});
  pair.column1 = column.column1;
  pair.column2 = column.column2;
  pair.text1 = text1;
  pair.text2 = text2;
  return pair;
}

Line AlignedCells::line(long row1, long row2, const std::vector<ColumnPair>& columns,
                        const std::vector<long>& identifying) {
  cells_.clear();
  for (const ColumnPair& column : columns) {
    cells_.push_back(cell(row1, row2, column));
    cells_.back().identifying =
        column.column1 != 0 &&
        std::find(identifying.begin(), identifying.end(), column.column1) != identifying.end();
  }
  Line line;
  line.kind = row1 == 0   ? LineKind::RowAdded
              : row2 == 0 ? LineKind::RowRemoved
                          : LineKind::Compared;
  line.row1 = row1;
  line.row2 = row2;
  line.cells = cells_;
  return line;
}

}  // namespace quill
