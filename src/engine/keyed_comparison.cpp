#include "engine/keyed_comparison.h"

#include "engine/comparison_finish.h"
#include "engine/row_progress.h"
#include "report/templates.h"

namespace quill {

ComparisonOutcome compareKeyed(ComparisonContext& context, const KeyedMode& mode) {
  const ComparisonRequest& request = context.request;
  const ChosenSheets sheets = chosenSheets(request, context.session);
  const KeyedArea keyed = mode.area(request, sheets);
  const KeyLists lists = mode.lists(request, keyed);
  const std::unique_ptr<KeyedBodiesBuilder> builder = mode.builder(context, sheets, keyed, lists);
  const Area& area = keyed.area;

  ReportBodies bodies;
  mode.appendHeading(bodies.grid, keyed);
  builder->appendHeaderRow(bodies);
  RowProgress progress(context.progress);
  progress.begin(area.rows());
  appendTableStart(bodies.report);
  for (long r = 1; r <= area.rows(); ++r) {
    builder->appendRow(bodies, area.firstRow + r - 1);
    progress.reached(r);
  }
  appendTableEnd(bodies.grid);
  appendTableEnd(bodies.report);
  return finishComparison(context, bodies, keyedCaption(sheets, keyed, request, mode.listUnit));
}

}  // namespace quill
