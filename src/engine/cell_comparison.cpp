#include "engine/cell_comparison.h"

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

}  // namespace quill
