#pragma once

#include <map>
#include <string>
#include <vector>

#include "review/review_marks.h"
#include "sheet/address.h"

namespace quill {

// One line of the "Differences" listing: a listed difference, a sheet that is not paired as
// it stands, or what File #1 held in a row, column or worksheet that File #2 lacks.
struct ListedDifference {
  std::string kind;  // "different value", "row removed", "sheet only in FILE1", ...
  bool key = false;
  std::string sheet1;  // empty where File #1 has no such sheet
  std::string place1;  // "C3", a row "5", a column "D", or empty
  std::string sheet2;
  std::string place2;
  std::string text1;
  std::string text2;
  std::string formula1;
  std::string formula2;
  long sheetPosition2 = 0;  // the File #2 worksheet the link leads to (0: none)
  long row2 = 0;            // where in it (0: the first row or column)
  long column2 = 0;
};

// One marked cell of a File #2 worksheet and its note: what File #1 held there.
struct CellMark {
  long row = 0;
  long column = 0;
  MarkKind kind = MarkKind::DifferentValue;
  std::string note;
};

// A whole row or column of a File #2 worksheet marked: one it alone holds, or one moved.
struct LineMark {
  long line = 0;
  MarkKind kind = MarkKind::RowAdded;

  friend bool operator==(const LineMark&, const LineMark&) = default;
};

// The marks of one File #2 worksheet: cells, and whole rows and columns.
struct SheetMarks {
  std::vector<CellMark> cells;  // ordered by row, then column, once complete()
  std::vector<LineMark> rows;   // ascending once complete()
  std::vector<LineMark> columns;

  // Orders the marks and keeps the first of marks on the same cell.
  void complete();
};

// The most differences the listing keeps: a worksheet's rows, less room for the heading.
inline constexpr std::size_t kListingCapacity = std::size_t(kMaxRows) - 1000;

// What the review workbook says of a comparison: its heading, the listing and the marks by
// File #2's worksheet position.
struct ReviewResult {
  std::string path1;
  std::string path2;
  std::string now;
  std::string caption;
  std::string summary;                    // the text output's summary lines
  bool formulasCompared = false;          // some listed cell has a formula in either file
  std::vector<ListedDifference> listing;  // as many as a worksheet holds ...
  long unlisted = 0;                      // ... and how many more there were
  std::map<long, SheetMarks> marks;
};

}  // namespace quill
