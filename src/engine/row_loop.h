#pragma once

#include <functional>
#include <span>
#include <vector>

#include "engine/comparison_options.h"
#include "engine/comparison_result.h"
#include "engine/row_progress.h"
#include "engine/sheet_alignment.h"
#include "sheet/workbook.h"

namespace quill {

// The rows of two worksheets that a comparison pairs: an alignment's list of pairs, or the
// identity pairing of a comparison by position (row first1 + i with row first2 + i), which
// holds no list however many rows it pairs.
class RowPairs {
 public:
  static RowPairs identity(long first1, long first2, long count);
  static RowPairs listed(const std::vector<RowPair>& pairs);

  std::size_t size() const { return pairs_ ? pairs_->size() : count_; }
  RowPair operator[](std::size_t i) const {
    return pairs_ ? (*pairs_)[i] : RowPair{first1_ + long(i), first2_ + long(i)};
  }
  // How many pairs from i on, at most limit, go on row by row in both files.
  std::size_t consecutiveFrom(std::size_t i, std::size_t limit) const;

 private:
  const std::vector<RowPair>* pairs_ = nullptr;
  long first1_ = 0, first2_ = 0;
  std::size_t count_ = 0;
};

// The steps of the row loop, each run through the caller's StepRunner, which may report a
// failure and let the loop carry on: telling a stretch of empty rows, starting a row, reading
// its texts, comparing and telling it, and telling progress.
enum class RowStep : char { EmptyRows, StartRow, ReadRow, CompareRow, Progress };
using StepRunner = std::function<void(RowStep, const std::function<void()>&)>;

// What the row loop compares: two worksheets, their rows and columns as paired, and the
// options of the comparison.
struct PairedSheets {
  const Worksheet& sheet1;
  const Worksheet& sheet2;
  const RowPairs& rows;
  std::span<const ColumnPair> columns;  // 0 in a pair: a column the file lacks there
};

// Tells a sink the lines of two paired worksheet areas, in the pairing's order: a row pair
// compared cell by cell over the column pairs (a cell of an added or removed column is shown,
// not listed), a row of one file alone as RowAdded or RowRemoved holding that file's texts.
// A stretch of more than kFoldedRowsAbove rows empty in both takes one EmptyRows line, a
// stretch of more than kFoldedColumnsAbove cells empty in both one cell (in a row of one
// file, empty in that file; its emptyThrough counts that file's columns). After each line the
// progress hears how many row pairs are done. Without a runner every step simply runs, and a
// failure stops the loop.
void tellPairedRows(ResultSink& sink, const PairedSheets& sheets, const ComparisonOptions& options,
                    RowProgress& progress, const StepRunner& runner = {});

}  // namespace quill
