#include "report/cell_markup.h"

#include "report/templates.h"

namespace quill {

void appendListedDifference(std::string& report, const FilePaths& files, std::string_view anchor,
                            const CellPair& pair) {
  switch (pair.difference) {
    case DifferenceKind::MissingInSecond:
      return appendMissingValueRow(report, files.path2, anchor);
    case DifferenceKind::MissingInFirst:
      return appendMissingValueRow(report, files.path1, anchor);
    case DifferenceKind::DifferentValue:
      return appendDifferentValueRow(report, anchor, pair.text1, pair.text2);
    case DifferenceKind::DifferentFormula:
      return appendDifferentFormulaRow(report, anchor, pair.formula1, pair.formula2);
    case DifferenceKind::None:
      return;
  }
}

void appendComparedCell(std::string& grid, const FilePaths& files, std::string_view anchor,
                        const CellPair& pair, ColumnForm form) {
  const bool paired = form == ColumnForm::Paired;
  switch (pair.difference) {
    case DifferenceKind::None:
      return paired ? appendPairedDataCell(grid, pair.text1) : appendDataCell(grid, pair.text1);
    case DifferenceKind::MissingInSecond:
      return paired ? appendPairedCommentCell(grid, files.path2, anchor, pair.text1)
                    : appendCommentCell(grid, files.path2, anchor, pair.text1);
    case DifferenceKind::MissingInFirst:
      return paired ? appendPairedCommentCell(grid, files.path1, anchor, pair.text2)
                    : appendCommentCell(grid, files.path1, anchor, pair.text2);
    case DifferenceKind::DifferentValue:
      return paired ? appendPairedChangedCell(grid, anchor, pair.text1, pair.text2)
                    : appendChangedCell(grid, anchor, pair.text1, pair.text2);
    case DifferenceKind::DifferentFormula:
      return paired
                 ? appendPairedFormulaCell(grid, anchor, pair.text1, pair.formula1, pair.formula2)
                 : appendFormulaCell(grid, anchor, pair.text1, pair.formula1, pair.formula2);
  }
}

}  // namespace quill
