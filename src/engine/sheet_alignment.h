#pragma once

#include <vector>

#include "engine/comparison_options.h"
#include "engine/comparison_result.h"
#include "sheet/address.h"
#include "sheet/workbook.h"

namespace quill {

// A row of file 1 paired with a row of file 2 (0: the file has none there: an added or
// removed row).
struct RowPair {
  long row1 = 0;
  long row2 = 0;
  bool moved = false;  // the rows stand elsewhere in each file (see ColumnPair::moved)
  friend bool operator==(const RowPair&, const RowPair&) = default;
};

// How the rows and columns of two worksheet areas pair, in the order a grid shows them.
struct SheetAlignment {
  std::vector<RowPair> rows;
  std::vector<ColumnPair> columns;
  // Nearly every row moved: the rows were reordered as a whole, and the pairs are not marked
  // moved one by one.
  bool rowsReordered = false;
};

// Aligns two worksheet areas: rows as a line diff aligns lines (each row hashed from its
// comparable texts; rows between anchors paired by likeness, rows out of order as moves), then
// columns the same way, by their header texts when the first row
// of both areas looks like a header, else by their texts in the paired rows. When columns
// were added or removed, the rows are aligned again over the paired columns alone. The
// areas' row hashes over all their columns (areaRowHashes), when already known, save
// reading them again.
SheetAlignment alignSheetAreas(const Worksheet& sheet1, const Area& area1, const Worksheet& sheet2,
                               const Area& area2, const ComparisonOptions& options,
                               const std::vector<std::uint64_t>* knownHashes1 = nullptr,
                               const std::vector<std::uint64_t>* knownHashes2 = nullptr);

// The row hashes of an area over the given columns (worksheet numbers; 0 stands for a
// column the sheet lacks and adds nothing), one for each of the area's rows.
std::vector<std::uint64_t> areaRowHashes(const Worksheet& sheet, long firstRow, long lastRow,
                                         const std::vector<long>& columns,
                                         const ComparisonOptions& options);

}  // namespace quill
