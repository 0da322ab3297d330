#include "engine/comparison_finish.h"

#include "report/documents.h"
#include "sheet/session.h"
#include "shell/file_utils.h"

namespace quill {

ComparisonOutcome finishComparison(ComparisonContext& context, const ReportBodies& bodies,
                                   const std::string& caption) {
  // Without the old pair a failed write cannot leave a new report beside an old grid.
  deleteFile((context.outputFolder / kReportFileName).string());
  deleteFile((context.outputFolder / kGridFileName).string());
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
