#pragma once

#include <xlsxwriter.h>

#include "review/review_formats.h"
#include "review/review_result.h"
#include "sheet/workbook.h"

namespace quill {

// Writes a worksheet of File #2 into the review workbook row by row: every cell's value
// typed as it reads (numbers, dates, booleans, texts) and its formula where one was read,
// each marked cell filled in its kind's colour with File #1's text as its note, and the rows
// and columns File #2 alone holds filled whole. marks may be null: nothing differs there.
void writeMarkedSheet(lxw_worksheet* out, const Worksheet& sheet, const SheetMarks* marks,
                      ReviewFormats& formats);

}  // namespace quill
