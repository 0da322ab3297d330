#pragma once

#include <string>
#include <string_view>

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

// The caption of both documents: the two worksheets, the area, and the key and ignore
// texts when given. unit is "columns" or "rows", what the two lists name.
std::string keyedCaption(const ChosenSheets& sheets, const KeyedArea& keyed,
                         const ComparisonRequest& request, std::string_view unit);

}  // namespace quill
