#pragma once

#include <span>
#include <string>
#include <string_view>

#include "engine/comparison.h"
#include "sheet/workbook.h"

namespace quill {

// The two document bodies a comparison builds, and how many differences went into them.
struct ReportBodies {
  std::string report;
  std::string grid;
  long differences = 0;
};

// Compares the texts of one cell position and appends what it gives: a data cell when
// they are equal; otherwise a row of the difference list and a marked grid cell. Every
// anchor names the first file's sheet and the cell at row, column.
void appendCellComparison(ReportBodies& bodies, const ComparisonRequest& request,
                          std::string_view sheet, long row, long column, std::string_view text1,
                          std::string_view text2);

// Stretches empty in both files longer than these take one grid line (rows) or one grid cell
// (columns of a row) instead of one per position, so that a far cell does not make the grid
// huge; ordinary tables with a few empty rows or columns keep a cell for each position.
inline constexpr long kFoldedRowsAbove = 1000;
inline constexpr long kFoldedColumnsAbove = 100;

// The cells of one row compared as appendCellComparison does, from firstColumn on: texts1
// and texts2 hold the two files' texts of the row's columns. A stretch of more than
// kFoldedColumnsAbove cells empty in both takes one grid cell.
void appendRowComparison(ReportBodies& bodies, const ComparisonRequest& request,
                         std::string_view sheet, long row, long firstColumn,
                         std::span<const std::string_view> texts1,
                         std::span<const std::string_view> texts2);

// For two worksheets read side by side from row first1 of one and first2 of the other: the
// smallest offset from `offset` on at which either may hold a cell, or `count` when neither
// does before it.
long nextOffsetInUse(const Worksheet& sheet1, long first1, const Worksheet& sheet2, long first2,
                     long offset, long count);

// Appends the row of the difference list for two texts that differ: a missing value in the
// file whose text is empty, or a different value; counts it.
void appendDifferenceRow(ReportBodies& bodies, const ComparisonRequest& request,
                         std::string_view anchor, std::string_view text1, std::string_view text2);

// Writes both documents from the bodies into the context's output folder, creating the
// folder when it is missing. Both replace the old pair or, on a failure, neither does;
// throws on the first failure.
void writeDocuments(const ComparisonContext& context, const ReportBodies& bodies,
                    const std::string& caption);

}  // namespace quill
