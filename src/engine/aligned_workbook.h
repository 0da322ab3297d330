#pragma once

#include <set>
#include <string>

#include "engine/comparison.h"
#include "engine/comparison_options.h"
#include "engine/comparison_result.h"
#include "sheet/address.h"
#include "sheet/workbook.h"

namespace quill {

// Compares two workbooks aligned: sheets paired by name, then by content, each pair's rows
// and columns aligned over the two used areas from A1, and told to the sink table by table
// in the pairing's order. A sheet that one workbook lacks is told as a table of added
// (removed) rows, which the table itself lists as one difference (see listed_differences.h).
// oneSheetFormat: either file is of a format of one sheet named after the file (pairSheets).
void tellAlignedWorkbooks(ResultSink& sink, const Workbook& book1, const Workbook& book2,
                          const ComparisonOptions& options, ProgressSink& progress,
                          bool oneSheetFormat = false);

// The name a table's anchors use: its sheet's name, or, when an earlier table of the result
// already took that name (a sheet that only the second file has, named like one of the first
// file's), the name followed by its position, so that every link lands on its table.
std::string uniqueAnchorName(const std::string& name, long position, std::set<std::string>& used);

// The part of an area that the worksheet's used area covers, counted from A1: the rows and
// columns past the last one in use are left out (an area wholly past them keeps no rows or
// no columns), so that whole rows or columns are aligned over what they hold.
Area withinUsedArea(const Area& area, const Worksheet& sheet);

// Compares one area of each worksheet aligned, as one table that begins as `table` says
// (its columns are the alignment's).
void tellAlignedAreas(ResultSink& sink, TableStart table, const Worksheet& sheet1,
                      const Area& area1, const Worksheet& sheet2, const Area& area2,
                      const ComparisonOptions& options, ProgressSink& progress);

}  // namespace quill
