#include "engine/aligned_lines.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "engine/cell_comparison.h"
#include "engine/cell_difference.h"
#include "engine/columns_reader.h"

namespace quill {

namespace {

// Builds each line's cells into buffers reused from line to line.
class AlignedLineTeller {
 public:
  AlignedLineTeller(ResultSink& sink, const Worksheet& sheet1, const Worksheet& sheet2,
                    const std::vector<ColumnPair>& columns, const ComparisonOptions& options)
      : sink_(sink),
        sheet1_(sheet1),
        sheet2_(sheet2),
        columns_(columns),
        options_(options),
        columns1_(sideColumns(columns, &ColumnPair::column1)),
        columns2_(sideColumns(columns, &ColumnPair::column2)),
        reader1_(sheet1, columns1_),
        reader2_(sheet2, columns2_) {
    cells_.reserve(columns.size());
  }

  long comparedRow(long row1, long row2);
  void singleRow(LineKind kind, long row1, long row2);
  void emptyRows(long row1, long row2, long lastRow1) {
    Line line;
    line.kind = LineKind::EmptyRows;
    line.row1 = row1;
    line.row2 = row2;
    line.lastRow1 = lastRow1;
    sink_.line(line);
  }

 private:
  static std::vector<long> sideColumns(const std::vector<ColumnPair>& columns,
                                       long ColumnPair::*side) {
    std::vector<long> list;
    for (const ColumnPair& pair : columns) list.push_back(pair.*side);
    return list;
  }
  long emptyStretch(std::size_t k, const std::vector<std::string_view>& texts1,
                    const std::vector<std::string_view>& texts2) const;
  CellPair comparedCell(std::size_t k, long row1, long row2,
                        const std::vector<std::string_view>& texts1,
                        const std::vector<std::string_view>& texts2) const;

  ResultSink& sink_;
  const Worksheet& sheet1_;
  const Worksheet& sheet2_;
  const std::vector<ColumnPair>& columns_;
  const ComparisonOptions& options_;
  const std::vector<long> columns1_, columns2_;
  ColumnsReader reader1_, reader2_;
  std::vector<CellPair> cells_;
};

// How many column pairs from k on pair consecutive columns of both files, empty in both.
long AlignedLineTeller::emptyStretch(std::size_t k, const std::vector<std::string_view>& texts1,
                                     const std::vector<std::string_view>& texts2) const {
  std::size_t end = k;
  while (end < columns_.size() && columns_[end].column1 != 0 && columns_[end].column2 != 0 &&
         columns_[end].column1 - columns_[k].column1 == long(end - k) &&
         columns_[end].column2 - columns_[k].column2 == long(end - k) && texts1[end].empty() &&
         texts2[end].empty())
    ++end;
  return long(end - k);
}

CellPair AlignedLineTeller::comparedCell(std::size_t k, long row1, long row2,
                                         const std::vector<std::string_view>& texts1,
                                         const std::vector<std::string_view>& texts2) const {
  const ColumnPair& pair = columns_[k];
  CellPair cell;
  cell.column1 = pair.column1;
  cell.column2 = pair.column2;
  cell.text1 = texts1[k];
  cell.text2 = texts2[k];
  if (pair.column1 == 0 || pair.column2 == 0) return cell;  // the column is listed once
  if (options_.formulas) {
    cell.formula1 = sheet1_.cellFormula(row1, pair.column1);
    cell.formula2 = sheet2_.cellFormula(row2, pair.column2);
  }
  cell.difference = cellDifference(options_, cell.text1, cell.text2, cell.formula1, cell.formula2);
  return cell;
}

long AlignedLineTeller::comparedRow(long row1, long row2) {
  cells_.clear();
  long differences = 0;
  const std::vector<std::string_view>& texts1 = reader1_.read(row1);
  const std::vector<std::string_view>& texts2 = reader2_.read(row2);
  const bool wide = long(columns_.size()) > kFoldedColumnsAbove;
  for (std::size_t k = 0; k < columns_.size();) {
    const long empty = wide ? emptyStretch(k, texts1, texts2) : 0;
    if (empty > kFoldedColumnsAbove) {
      CellPair folded;
      folded.column1 = columns_[k].column1;
      folded.column2 = columns_[k].column2;
      folded.emptyThrough = columns_[k].column1 + empty - 1;
      cells_.push_back(folded);
      k += std::size_t(empty);
      continue;
    }
    cells_.push_back(comparedCell(k, row1, row2, texts1, texts2));
    if (cells_.back().difference != DifferenceKind::None) ++differences;
    ++k;
  }
  Line line;
  line.row1 = row1;
  line.row2 = row2;
  line.cells = cells_;
  sink_.line(line);
  return differences;
}

void AlignedLineTeller::singleRow(LineKind kind, long row1, long row2) {
  cells_.clear();
  const std::vector<std::string_view>& texts =
      row1 != 0 ? reader1_.read(row1) : reader2_.read(row2);
  const bool wide = long(columns_.size()) > kFoldedColumnsAbove;
  for (std::size_t k = 0; k < columns_.size();) {
    CellPair cell;
    cell.column1 = columns_[k].column1;
    cell.column2 = columns_[k].column2;
    // A long stretch of empty cells takes one pair, as in a compared row.
    std::size_t end = k;
    while (wide && end < texts.size() && texts[end].empty()) ++end;
    if (long(end - k) > kFoldedColumnsAbove) {
      const long first = row1 != 0 ? cell.column1 : cell.column2;
      cell.emptyThrough = first + long(end - k) - 1;
      cells_.push_back(cell);
      k = end;
      continue;
    }
    (row1 != 0 ? cell.text1 : cell.text2) = texts[k];
    cells_.push_back(cell);
    ++k;
  }
  Line line;
  line.kind = kind;
  line.row1 = row1;
  line.row2 = row2;
  line.cells = cells_;
  sink_.line(line);
}

// The first row from `row` on that a sheet may hold a cell in; past every row when none.
long nextRowInUse(const Worksheet& sheet, long row) {
  const long next = sheet.firstRowInUseFrom(row);
  return next == 0 ? std::numeric_limits<long>::max() : next;
}

// How many row pairs from i on pair consecutive rows of both files, empty in both.
std::size_t emptyRowStretch(const std::vector<RowPair>& rows, std::size_t i,
                            const Worksheet& sheet1, const Worksheet& sheet2) {
  const RowPair start = rows[i];
  if (start.row1 == 0 || start.row2 == 0) return 0;
  const long room = std::min(nextRowInUse(sheet1, start.row1) - start.row1,
                             nextRowInUse(sheet2, start.row2) - start.row2);
  std::size_t end = i;
  while (end < rows.size() && long(end - i) < room &&
         rows[end].row1 - start.row1 == long(end - i) &&
         rows[end].row2 - start.row2 == long(end - i))
    ++end;
  return end - i;
}

}  // namespace

long tellAlignedLines(ResultSink& sink, const Worksheet& sheet1, const Worksheet& sheet2,
                      const SheetAlignment& alignment, const ComparisonOptions& options,
                      const std::function<void(long rowsDone)>& rowsDone) {
  AlignedLineTeller teller(sink, sheet1, sheet2, alignment.columns, options);
  long differences = long(
      std::count_if(alignment.columns.begin(), alignment.columns.end(),
                    [](const ColumnPair& pair) { return pair.column1 == 0 || pair.column2 == 0; }));
  const std::vector<RowPair>& rows = alignment.rows;
  for (std::size_t i = 0; i < rows.size();) {
    const RowPair pair = rows[i];
    const std::size_t empty =
        rows.size() > std::size_t(kFoldedRowsAbove) ? emptyRowStretch(rows, i, sheet1, sheet2) : 0;
    if (empty > std::size_t(kFoldedRowsAbove)) {
      teller.emptyRows(pair.row1, pair.row2, pair.row1 + long(empty) - 1);
      i += empty;
    } else {
      if (pair.row1 != 0 && pair.row2 != 0) {
        differences += teller.comparedRow(pair.row1, pair.row2);
      } else {
        teller.singleRow(pair.row1 != 0 ? LineKind::RowRemoved : LineKind::RowAdded, pair.row1,
                         pair.row2);
        ++differences;
      }
      ++i;
    }
    if (rowsDone) rowsDone(long(i));
  }
  return differences;
}

}  // namespace quill
