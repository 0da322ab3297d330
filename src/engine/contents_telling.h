#pragma once

#include <span>
#include <vector>

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

// The differences of a sheet pair that both files have in what options.contents names
// (none when it names nothing): rows and columns paired by the alignment, or by position
// when there is none. They are found before the pair's lines are told, so that a table's
// start can carry them, and told after its lines.
std::vector<ContentItem> sheetContentItems(const ContentsSheetPair& pair,
                                           const ComparisonOptions& options,
                                           const SheetAlignment* alignment = nullptr);

// Tells the sink the items, when there are any.
void tellContents(ResultSink& sink, std::span<const ContentItem> items);

// Tells the sink the differences of the whole workbooks (names, macros), the same way.
void tellWorkbookContents(ResultSink& sink, const Workbook& book1, const Workbook& book2,
                          const ComparisonOptions& options);

}  // namespace quill
