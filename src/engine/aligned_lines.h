#pragma once

#include <functional>

#include "engine/comparison_options.h"
#include "engine/comparison_result.h"
#include "engine/sheet_alignment.h"
#include "sheet/workbook.h"

namespace quill {

// Tells a sink the lines of two aligned worksheet areas, in the alignment's order: a paired
// row compared cell by cell over the column pairs (a cell of an added or removed column is
// shown, not listed), a row of one file alone as RowAdded or RowRemoved holding that file's
// texts. A long stretch of rows empty in both takes one EmptyRows line, a long stretch of
// cells empty in both one cell (in a row of one file, empty in that file; its emptyThrough
// counts that file's columns). rowsDone, when given, hears how many lines' rows are done.
// Gives the number of differences: differing cells, added and removed rows and columns.
long tellAlignedLines(ResultSink& sink, const Worksheet& sheet1, const Worksheet& sheet2,
                      const SheetAlignment& alignment, const ComparisonOptions& options,
                      const std::function<void(long rowsDone)>& rowsDone = {});

}  // namespace quill
