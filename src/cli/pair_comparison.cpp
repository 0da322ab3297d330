#include "cli/pair_comparison.h"

#include "cli/clean_run_result.h"
#include "cli/stream_error_box.h"
#include "engine/choose_comparison.h"
#include "engine/workbook_reading.h"
#include "formats/session.h"
#include "report/document_saving.h"
#include "report/html_result_writer.h"

namespace quill::cli {

namespace {

// Opens both workbooks and compares them whole, the result told to the sink once the
// preparation succeeded; failures are printed through the box.
ComparisonOutcome comparePair(const std::string& path1, const std::string& path2,
                              const ComparisonOptions& options,
                              const std::function<void()>& prepare,
                              const std::function<ResultSink&()>& sink, ProgressSink& progress,
                              StreamErrorBox& errors, PasswordSource* passwords) {
  try {
    ComparisonRequest request;
    request.path1 = path1;
    request.path2 = path2;
    request.options = options;
    prepare();
    SpreadsheetSession session;
    ReadOptions readOptions = readOptionsFor(options);
    readOptions.passwords = passwords;
    initializeExcelFiles(session, path1, path2, errors, readOptions);
    if (errors.count() > 0) return {};
    CleanRunResult result(sink(), errors);
    ComparisonContext context{request, session, result, progress, errors, {}};
    ComparisonOutcome outcome = runChosenComparison(context);
    if (errors.count() > 0 || !outcome.documentsWritten) return {};
    return outcome;
  } catch (...) {
    errors.showFailure(errorDescription(std::current_exception()), {});
    return {};
  }
}

}  // namespace

ComparisonOutcome compareWorkbookPair(const std::string& path1, const std::string& path2,
                                      const ComparisonOptions& options,
                                      const std::filesystem::path& folder, ProgressSink& progress,
                                      std::ostream& err, const std::string& prefix,
                                      PasswordSource* passwords) {
  StreamErrorBox errors(err, prefix);
  std::unique_ptr<HtmlResultWriter> documents;
  auto prepare = [&] {
    refuseFolderHoldingInputs(folder, {path1, path2});
    std::filesystem::create_directories(folder);
  };
  auto sink = [&]() -> ResultSink& {
    documents = std::make_unique<HtmlResultWriter>(folder);
    return *documents;
  };
  return comparePair(path1, path2, options, prepare, sink, progress, errors, passwords);
}

ComparisonOutcome compareWorkbookPair(const std::string& path1, const std::string& path2,
                                      const ComparisonOptions& options, ResultSink& sink,
                                      ProgressSink& progress, std::ostream& err,
                                      const std::string& prefix, PasswordSource* passwords) {
  StreamErrorBox errors(err, prefix);
  return comparePair(
      path1, path2, options, [] {}, [&sink]() -> ResultSink& { return sink; }, progress, errors,
      passwords);
}

}  // namespace quill::cli
