#include "engine/contents_telling.h"

#include <algorithm>

#include "engine/sheet_contents_comparison.h"
#include "engine/workbook_contents_comparison.h"

namespace quill {

namespace {

template <class Pair>
LineMap lineMap(const std::vector<Pair>& pairs, long Pair::*first, long Pair::*second) {
  std::vector<std::pair<long, long>> lines;
  long last1 = 0, last2 = 0;
  for (const Pair& pair : pairs) {
    lines.emplace_back(pair.*first, pair.*second);
    last1 = std::max(last1, pair.*first);
    last2 = std::max(last2, pair.*second);
  }
  return LineMap(lines, last1, last2);
}

}  // namespace

std::vector<ContentItem> sheetContentItems(const ContentsSheetPair& pair,
                                           const ComparisonOptions& options,
                                           const SheetAlignment* alignment) {
  if (!options.contents.any()) return {};
  const LineMap rows =
      alignment ? lineMap(alignment->rows, &RowPair::row1, &RowPair::row2) : LineMap();
  const LineMap columns =
      alignment ? lineMap(alignment->columns, &ColumnPair::column1, &ColumnPair::column2)
                : LineMap();
  return compareSheetContents({pair.sheet1.contents(), pair.sheet2.contents(),
                               pair.book1.contents(), pair.book2.contents(), rows, columns},
                              options.contents);
}

void tellContents(ResultSink& sink, std::span<const ContentItem> items) {
  if (!items.empty()) sink.contents(items);
}

void tellWorkbookContents(ResultSink& sink, const Workbook& book1, const Workbook& book2,
                          const ComparisonOptions& options) {
  if (!options.contents.any()) return;
  tellContents(sink, compareWorkbookContents(book1.contents(), book2.contents(), options.contents));
}

}  // namespace quill
