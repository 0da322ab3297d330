#pragma once

#include <vector>

#include "sheet/workbook_contents.h"

namespace quill {

// Sorts spans of rows or columns and joins those that overlap or touch.
void joinSpans(std::vector<LineSpan>& spans);

}  // namespace quill
