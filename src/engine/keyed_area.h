#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/chosen_sheets.h"
#include "engine/request.h"
#include "sheet/address.h"

namespace quill {

// The table area a keyed comparison reads on both worksheets, where it lies, and the first
// and last row and column that its caption and heading name.
struct KeyedArea {
  Area area;
  long startRow = 1;
  long endRow = 1;
  std::string startLetters;
  std::string endLetters;
};

// Row mode: the columns of range1, rows startRow to endRow; an empty end row is the last
// row either worksheet uses. Throws RequestError when the start lies after the end.
KeyedArea rowsModeArea(const ComparisonRequest& request, const ChosenSheets& sheets);

// Column mode: the rows of range1, columns startColumn to endColumn; an empty end column is
// the last column either worksheet uses. Throws RequestError when the start lies after the end.
KeyedArea columnsModeArea(const ComparisonRequest& request, const ChosenSheets& sheets);

// The identifying and ignore lists of a keyed comparison, as numbers of columns (rows mode)
// or rows (columns mode).
struct KeyLists {
  std::vector<long> identifying;
  std::vector<long> ignored;
};

// Rows mode: the two column lists, each item inside the table's columns and in one list only;
// throws RequestError naming the item and the columns otherwise.
KeyLists keyColumns(const ComparisonRequest& request, const KeyedArea& keyed);

// Columns mode: the same for the two row lists and the table's rows.
KeyLists keyRows(const ComparisonRequest& request, const KeyedArea& keyed);

// The caption of both documents: the two worksheets, the area, and the key and ignore
// texts when given. unit is "columns" or "rows", what the two lists name.
std::string keyedCaption(const ChosenSheets& sheets, const KeyedArea& keyed,
                         const ComparisonRequest& request, std::string_view unit);

}  // namespace quill
