#pragma once

#include <string>

#include "engine/comparison.h"
#include "engine/comparison_options.h"
#include "engine/comparison_result.h"
#include "sheet/address.h"
#include "sheet/workbook.h"

namespace quill {

// What an aligned comparison found.
struct AlignedCounts {
  long differences = 0;
  long sheetsWithDifferences = 0;
  long sheetsCompared = 0;
};

// Compares two workbooks aligned: sheets paired by name, then by content, each pair's rows
// and columns aligned over the two used areas from A1, and told to the sink table by table
// in the pairing's order. A sheet that one workbook lacks is told as a table of added
// (removed) rows and counts as one difference, as does a renamed or a moved sheet.
// oneSheetFormat: either file is of a format of one sheet named after the file (pairSheets).
AlignedCounts tellAlignedWorkbooks(ResultSink& sink, const Workbook& book1, const Workbook& book2,
                                   const ComparisonOptions& options, ProgressSink& progress,
                                   bool oneSheetFormat = false);

// The part of an area that the worksheet's used area covers, counted from A1: the rows and
// columns past the last one in use are left out (an area wholly past them keeps no rows or
// no columns), so that whole rows or columns are aligned over what they hold.
Area withinUsedArea(const Area& area, const Worksheet& sheet);

// Compares one area of each worksheet aligned, as one table that begins as `table` says
// (its columns are the alignment's).
AlignedCounts tellAlignedAreas(ResultSink& sink, TableStart table, const Worksheet& sheet1,
                               const Area& area1, const Worksheet& sheet2, const Area& area2,
                               const ComparisonOptions& options, ProgressSink& progress);

}  // namespace quill
