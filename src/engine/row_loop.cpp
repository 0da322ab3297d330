#include "engine/row_loop.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "engine/cell_comparison.h"
#include "engine/columns_reader.h"

namespace quill {

namespace {

// Reads rows and builds each line's cells into buffers reused from line to line.
class LineTeller {
 public:
  LineTeller(ResultSink& sink, const Worksheet& sheet1, const Worksheet& sheet2,
             std::span<const ColumnPair> columns, const ComparisonOptions& options)
      : sink_(sink),
        sheet1_(sheet1),
        sheet2_(sheet2),
        columns_(columns),
        options_(options),
        columns1_(sideColumns(columns, &ColumnPair::column1)),
        columns2_(sideColumns(columns, &ColumnPair::column2)),
        reader1_(sheet1, columns1_),
        reader2_(sheet2, columns2_),
        unread_(columns.size()) {
    cells_.reserve(columns.size());
  }

  // Reads the texts of a row pair, or of a row of one file alone.
  void read(long row1, long row2) {
    if (row1 != 0) texts1_ = &reader1_.read(row1);
    if (row2 != 0) texts2_ = &reader2_.read(row2);
  }
  // Tells the row pair (or row) read last.
  void tell(long row1, long row2, bool moved) {
    if (row1 != 0 && row2 != 0)
      comparedRow(row1, row2, moved);
    else
      singleRow(row1 != 0 ? LineKind::RowRemoved : LineKind::RowAdded, row1, row2);
  }
  void emptyRows(long row1, long row2, long lastRow1) {
    Line line;
    line.kind = LineKind::EmptyRows;
    line.row1 = row1;
    line.row2 = row2;
    line.lastRow1 = lastRow1;
    sink_.line(line);
  }

 private:
  void comparedRow(long row1, long row2, bool moved);
  void singleRow(LineKind kind, long row1, long row2);
  static std::vector<long> sideColumns(std::span<const ColumnPair> columns,
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
  std::span<const ColumnPair> columns_;
  const ComparisonOptions& options_;
  const std::vector<long> columns1_, columns2_;
  ColumnsReader reader1_, reader2_;
  // The texts of the row read last: until a row is read (should reading fail), empty ones.
  const std::vector<std::string_view> unread_;
  const std::vector<std::string_view>* texts1_ = &unread_;
  const std::vector<std::string_view>* texts2_ = &unread_;
  std::vector<CellPair> cells_;
};

// How many column pairs from k on pair consecutive columns of both files, empty in both.
long LineTeller::emptyStretch(std::size_t k, const std::vector<std::string_view>& texts1,
                              const std::vector<std::string_view>& texts2) const {
  std::size_t end = k;
  while (end < columns_.size() && columns_[end].column1 != 0 && columns_[end].column2 != 0 &&
         columns_[end].column1 - columns_[k].column1 == long(end - k) &&
         columns_[end].column2 - columns_[k].column2 == long(end - k) && texts1[end].empty() &&
         texts2[end].empty())
    ++end;
  return long(end - k);
}

CellPair LineTeller::comparedCell(std::size_t k, long row1, long row2,
                                  const std::vector<std::string_view>& texts1,
                                  const std::vector<std::string_view>& texts2) const {
  const ColumnPair& pair = columns_[k];
  if (pair.column1 == 0 || pair.column2 == 0) {  // the column is listed once, not its cells
    CellPair cell;
    cell.column1 = pair.column1;
    cell.column2 = pair.column2;
    cell.text1 = texts1[k];
    cell.text2 = texts2[k];
    return cell;
  }
  return comparedPair(options_, {sheet1_, row1, pair.column1, texts1[k]},
                      {sheet2_, row2, pair.column2, texts2[k]});
}

void LineTeller::comparedRow(long row1, long row2, bool moved) {
  cells_.clear();
  const std::vector<std::string_view>& texts1 = *texts1_;
  const std::vector<std::string_view>& texts2 = *texts2_;
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
    ++k;
  }
  Line line;
  line.row1 = row1;
  line.row2 = row2;
  line.cells = cells_;
  line.moved = moved;
  sink_.line(line);
}

void LineTeller::singleRow(LineKind kind, long row1, long row2) {
  cells_.clear();
  const std::vector<std::string_view>& texts = row1 != 0 ? *texts1_ : *texts2_;
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
std::size_t emptyRowStretch(const RowPairs& rows, std::size_t i, const Worksheet& sheet1,
                            const Worksheet& sheet2) {
  const RowPair start = rows[i];
  if (start.row1 == 0 || start.row2 == 0) return 0;
  const long room = std::min(nextRowInUse(sheet1, start.row1) - start.row1,
                             nextRowInUse(sheet2, start.row2) - start.row2);
  return rows.consecutiveFrom(i, std::size_t(room));
}

}  // namespace

RowPairs RowPairs::identity(long first1, long first2, long count) {
  RowPairs rows;
  rows.first1_ = first1;
  rows.first2_ = first2;
  rows.count_ = std::size_t(std::max(count, 0L));
  return rows;
}

RowPairs RowPairs::listed(const std::vector<RowPair>& pairs) {
  RowPairs rows;
  rows.pairs_ = &pairs;
  return rows;
}

std::size_t RowPairs::consecutiveFrom(std::size_t i, std::size_t limit) const {
  const std::size_t most = std::min(limit, size() - i);
  if (!pairs_) return most;
  const RowPair start = (*pairs_)[i];
  std::size_t n = 0;
  while (n < most && (*pairs_)[i + n].row1 - start.row1 == long(n) &&
         (*pairs_)[i + n].row2 - start.row2 == long(n))
    ++n;
  return n;
}

void tellPairedRows(ResultSink& sink, const PairedSheets& sheets, const ComparisonOptions& options,
                    RowProgress& progress, const StepRunner& runner) {
  auto run = [&runner](RowStep step, const std::function<void()>& action) {
    if (runner)
      runner(step, action);
    else
      action();
  };
  LineTeller teller(sink, sheets.sheet1, sheets.sheet2, sheets.columns, options);
  const RowPairs& rows = sheets.rows;
  for (std::size_t i = 0; i < rows.size();) {
    const RowPair pair = rows[i];
    const std::size_t empty = rows.size() > std::size_t(kFoldedRowsAbove)
                                  ? emptyRowStretch(rows, i, sheets.sheet1, sheets.sheet2)
                                  : 0;
    if (empty > std::size_t(kFoldedRowsAbove)) {
      run(RowStep::EmptyRows,
          [&] { teller.emptyRows(pair.row1, pair.row2, pair.row1 + long(empty) - 1); });
      i += empty;
    } else {
      run(RowStep::StartRow, [] {});
      run(RowStep::ReadRow, [&] { teller.read(pair.row1, pair.row2); });
      run(RowStep::CompareRow, [&] { teller.tell(pair.row1, pair.row2, pair.moved); });
      ++i;
    }
    run(RowStep::Progress, [&] { progress.reached(long(i)); });
  }
}

}  // namespace quill
