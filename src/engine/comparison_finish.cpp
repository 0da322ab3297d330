#include "engine/comparison_finish.h"

#include "sheet/session.h"

namespace quill {

ComparisonOutcome finishComparison(ComparisonContext& context, const ReportBodies& bodies,
                                   const std::string& caption) {
  writeDocuments(context, bodies, caption);
  closeSession(context.session);
  ComparisonOutcome outcome;
  outcome.differences = bodies.differences;
  outcome.sheetsCompared = 1;
  outcome.sheetsWithDifferences = bodies.differences > 0 ? 1 : 0;
  outcome.documentsWritten = true;
  return outcome;
}

}  // namespace quill
