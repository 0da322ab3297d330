#include "engine/keyed_comparison.h"

#include "engine/comparison_finish.h"
#include "engine/row_progress.h"

namespace quill {

ComparisonOutcome compareKeyed(ComparisonContext& context, const KeyedMode& mode) {
  const ComparisonRequest& request = context.request;
  const ChosenSheets sheets = chosenSheets(request, context.session);
  const KeyedArea keyed = mode.area(request, sheets);
  const KeyLists lists = mode.lists(request, keyed);
  const std::unique_ptr<KeyedLines> lines = mode.lines(request, sheets, keyed, lists);
  const Area& area = keyed.area;

  CountingResult result(context.result);
  beginResult(context, result, keyedCaption(sheets, keyed, request, mode.listUnit));
  TableStart table = chosenTable(sheets, request);
  table.layout = mode.layout;
  table.spanned = area.columns();
  lines->describe(table);
  result.beginTable(table);
  lines->tellHeader(result);
  RowProgress progress(context.progress);
  const long lineCount = lines->lineCount(area);
  progress.begin(lineCount);
  for (long r = 1; r <= lineCount; ++r) {
    lines->tellRow(result, area.firstRow + r - 1);
    progress.reached(r);
  }
  result.endTable();
  return finishComparison(context, result);
}

}  // namespace quill
