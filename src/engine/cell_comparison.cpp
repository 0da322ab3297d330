#include "engine/cell_comparison.h"

#include <algorithm>

#include "engine/cell_difference.h"

namespace quill {

CellPair comparedPair(const ComparisonOptions& options, const CellSide& first,
                      const CellSide& second) {
  CellPair pair;
  pair.column1 = first.column;
  pair.column2 = second.column;
  pair.text1 = first.text;
  pair.text2 = second.text;
  if (options.formulas) {
    pair.formula1 = first.sheet.cellFormula(first.row, first.column);
    pair.formula2 = second.sheet.cellFormula(second.row, second.column);
  }
  pair.difference = cellDifference(options, pair.text1, pair.text2, pair.formula1, pair.formula2);
  return pair;
}

void compareRowCells(const ComparisonOptions& options, const RowSide& first, const RowSide& second,
                     std::vector<CellPair>& cells) {
  cells.clear();
  const std::size_t count = first.texts.size();
  for (std::size_t c = 0; c < count;) {
    std::size_t end = c;
    if (count > std::size_t(kFoldedColumnsAbove))
      while (end < count && first.texts[end].empty() && second.texts[end].empty()) ++end;
    if (end - c > std::size_t(kFoldedColumnsAbove)) {
      CellPair folded;
      folded.column1 = first.firstColumn + long(c);
      folded.column2 = second.firstColumn + long(c);
      folded.emptyThrough = first.firstColumn + long(end) - 1;
      cells.push_back(folded);
      c = end;
      continue;
    }
    end = std::max(end, c + 1);  // a short empty stretch, or one cell that is not empty
    for (; c < end; ++c)
      cells.push_back(comparedPair(
          options, {first.sheet, first.row, first.firstColumn + long(c), first.texts[c]},
          {second.sheet, second.row, second.firstColumn + long(c), second.texts[c]}));
  }
}

long nextOffsetInUse(const Worksheet& sheet1, long first1, const Worksheet& sheet2, long first2,
                     long offset, long count) {
  auto next = [&](const Worksheet& sheet, long first) {
    const long row = sheet.firstRowInUseFrom(first + offset);
    return row == 0 ? count : std::min(count, row - first);
  };
  return std::min(next(sheet1, first1), next(sheet2, first2));
}

}  // namespace quill
