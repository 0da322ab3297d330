#pragma once

#include "engine/comparison_options.h"
#include "engine/comparison_result.h"
#include "engine/sheet_alignment.h"
#include "sheet/workbook.h"

namespace quill {

// The books and sheets of one sheet pair, for comparing what they hold besides cell texts.
struct ContentsSheetPair {
  const Workbook& book1;
  const Workbook& book2;
  const Worksheet& sheet1;
  const Worksheet& sheet2;
};

// Tells the sink the differences of a sheet pair that both files have in what
// options.contents names, when it names any and any differ: rows and columns paired by the
// alignment, or by position when there is none.
void tellSheetContents(ResultSink& sink, const ContentsSheetPair& pair,
                       const ComparisonOptions& options, const SheetAlignment* alignment = nullptr);

// Tells the sink the differences of the whole workbooks (names, macros), the same way.
void tellWorkbookContents(ResultSink& sink, const Workbook& book1, const Workbook& book2,
                          const ComparisonOptions& options);

}  // namespace quill
