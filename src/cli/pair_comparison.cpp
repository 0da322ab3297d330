#include "cli/pair_comparison.h"

#include "cli/clean_run_result.h"
#include "cli/stream_error_box.h"
#include "engine/choose_comparison.h"
#include "engine/workbook_reading.h"
#include "formats/session.h"
#include "report/document_saving.h"
#include "report/html_result_writer.h"
#include "review/review_workbook.h"

namespace quill::cli {

namespace {

// Opens both workbooks and compares them whole, the result told to the sink once the
// preparation succeeded; failures are printed through the box.
ComparisonOutcome comparePair(const std::string& path1, const std::string& path2,
                              const ComparisonOptions& options,
                              const std::function<void()>& prepare,
                              const std::function<ResultSink&(const SpreadsheetSession&)>& sink,
                              ProgressSink& progress, StreamErrorBox& errors,
                              PasswordSource* passwords) {
  try {
    ComparisonRequest request;
    request.path1 = path1;
    request.path2 = path2;
    request.options = options;
    prepare();
    SpreadsheetSession session;
    ReadOptions readOptions = readOptionsFor(options);
    readOptions.passwords = passwords;
    openWorkbookPair(session, path1, path2, errors, readOptions);
    if (errors.count() > 0) return {};
    CleanRunResult result(sink(session), errors);
    ComparisonContext context{request, session, result, progress, errors, {}};
    ComparisonOutcome outcome = runChosenComparison(context);
    if (errors.count() > 0 || !outcome.resultComplete) return {};
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
                                      std::ostream& err, const std::string& prefix, bool review,
                                      PasswordSource* passwords) {
  StreamErrorBox errors(err, prefix);
  std::unique_ptr<HtmlResultWriter> documents;
  std::unique_ptr<ReviewWorkbookWriter> workbook;
  std::unique_ptr<ResultFanOut> both;
  auto prepare = [&] {
    refuseFolderHoldingInputs(folder, {path1, path2});
    std::filesystem::create_directories(folder);
  };
  auto sink = [&](const SpreadsheetSession& session) -> ResultSink& {
    documents = std::make_unique<HtmlResultWriter>(folder);
    if (!review) return *documents;
    workbook = std::make_unique<ReviewWorkbookWriter>(
        *session.secondBook(), folder / reviewFileName(path2),
        std::vector<std::filesystem::path>{path1, path2}, true);
    workbook->onlyWhenDifferent();
    // The workbook is saved first, so that a pair whose workbook fails keeps no documents.
    both = std::make_unique<ResultFanOut>(*workbook, *documents);
    return *both;
  };
  return comparePair(path1, path2, options, prepare, sink, progress, errors, passwords);
}

ComparisonOutcome compareWorkbookPair(const std::string& path1, const std::string& path2,
                                      const ComparisonOptions& options, ResultSink& sink,
                                      ProgressSink& progress, std::ostream& err,
                                      const std::string& prefix, PasswordSource* passwords) {
  StreamErrorBox errors(err, prefix);
  return comparePair(
      path1, path2, options, [] {},
      [&sink](const SpreadsheetSession&) -> ResultSink& { return sink; }, progress, errors,
      passwords);
}

}  // namespace quill::cli
