#include "cli/pair_comparison.h"

#include "cli/clean_run_result.h"
#include "cli/stream_error_box.h"
#include "engine/choose_comparison.h"
#include "report/document_saving.h"
#include "report/html_result_writer.h"
#include "sheet/session.h"

namespace quill::cli {

ComparisonOutcome compareWorkbookPair(const std::string& path1, const std::string& path2,
                                      const std::filesystem::path& folder, ProgressSink& progress,
                                      std::ostream& err, const std::string& prefix) {
  StreamErrorBox errors(err, prefix);
  try {
    ComparisonRequest request;
    request.path1 = path1;
    request.path2 = path2;
    refuseFolderHoldingInputs(folder, {path1, path2});
    std::filesystem::create_directories(folder);
    SpreadsheetSession session;
    initializeExcelFiles(session, path1, path2, errors);
    if (errors.count() > 0) return {};
    HtmlResultWriter documents(folder);
    CleanRunResult result(documents, errors);
    ComparisonContext context{request, session, result, progress, errors, {}};
    ComparisonOutcome outcome = runChosenComparison(context);
    if (errors.count() > 0 || !outcome.documentsWritten) return {};
    return outcome;
  } catch (...) {
    errors.showFailure(errorDescription(std::current_exception()), {});
    return {};
  }
}

}  // namespace quill::cli
