#include <filesystem>
#include <optional>
#include <stdexcept>

#include "cli/clean_run_result.h"
#include "cli/commands.h"
#include "cli/compare_options.h"
#include "cli/exit_codes.h"
#include "cli/folder_command.h"
#include "cli/folder_options.h"
#include "cli/password_options.h"
#include "cli/progress_line.h"
#include "cli/script_output.h"
#include "cli/stream_error_box.h"
#include "engine/choose_comparison.h"
#include "engine/chosen_sheets.h"
#include "engine/workbook_reading.h"
#include "formats/session.h"
#include "report/document_saving.h"
#include "report/html_result_writer.h"
#include "review/review_workbook.h"
#include "sheet/workbook.h"

namespace quill::cli {

namespace {

namespace fs = std::filesystem;

bool checkFilesExist(const ComparisonRequest& request, std::ostream& err) {
  std::error_code ignored;
  const bool folder1 = fs::is_directory(request.path1, ignored);
  const bool folder2 = fs::is_directory(request.path2, ignored);
  if (folder1 != folder2) {
    const std::string& folder = folder1 ? request.path1 : request.path2;
    const std::string& file = folder1 ? request.path2 : request.path1;
    err << "quillmere-cli compare: \"" << folder << "\" is a folder and \"" << file
        << "\" is not; compare two files or two folders\n";
    return false;
  }
  bool ok = true;
  for (const std::string& path : {request.path1, request.path2}) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) {
      err << "quillmere-cli compare: \"" << path << "\" does not exist or is not a file\n";
      ok = false;
    }
  }
  return ok;
}

// Ranges not given on the command line cover every cell either chosen worksheet uses: in
// range mode that area on both sides (one range given serves both), in a keyed mode its
// columns or rows. Worksheets that are missing are left for the comparison to report.
void fillDefaultRanges(CompareArguments& arguments, const SpreadsheetSession& session) {
  ComparisonRequest& request = arguments.request;
  const std::optional<ChosenSheets> sheets = chosenSheetsIfPresent(request, session);
  if (arguments.range1Given || !sheets) return;
  const Range used(sheets->first.name(), {usedAreaOfBoth(sheets->first, sheets->second)});
  if (request.mode == Mode::Range) {
    if (!arguments.range2Given) request.range1 = request.range2 = used.address();
    return;
  }
  request.range1 = request.mode == Mode::Rows ? used.columnsAddress() : used.rowsAddress();
}

// The position of the worksheet of that name; throws when the workbook has none.
int positionNamed(const Workbook* book, const std::string& name, const std::string& path) {
  for (std::size_t i = 1; book != nullptr && i <= book->sheetCount(); ++i)
    if (book->sheet(i).name() == name) return int(i);
  throw std::runtime_error("\"" + path + "\" has no worksheet named \"" + name + "\"");
}

// Throws, in the command line's words, when a position chosen is past a workbook's last
// worksheet; where a worksheet is named as the digits, says how to choose it by name.
void checkPosition(const Workbook* book, std::optional<int> position, const std::string& path,
                   const char* option) {
  if (book == nullptr || !position || std::size_t(*position) <= book->sheetCount()) return;
  const std::string digits = std::to_string(*position);
  std::string message = "\"" + path + "\" has no worksheet at position " + digits + "; it has " +
                        std::to_string(book->sheetCount());
  for (std::size_t i = 1; i <= book->sheetCount(); ++i)
    if (book->sheet(i).name() == digits)
      message += ". The worksheet named \"" + digits + "\" is chosen with " + option + " \"'" +
                 digits + "'\"";
  throw std::runtime_error(message);
}

// Turns worksheets chosen by name into their positions in their own files; as with a
// position, a worksheet given for one file alone serves the other at the same position.
void settleSheetNames(CompareArguments& arguments, const SpreadsheetSession& session) {
  ComparisonRequest& request = arguments.request;
  if (!arguments.sheet1Name.empty())
    request.sheet1 = positionNamed(session.firstBook(), arguments.sheet1Name, request.path1);
  if (!arguments.sheet2Name.empty())
    request.sheet2 = positionNamed(session.secondBook(), arguments.sheet2Name, request.path2);
  const char* option1 = request.sheet1 ? "--sheet1" : "--sheet2";
  const char* option2 = request.sheet2 ? "--sheet2" : "--sheet1";
  checkPosition(session.firstBook(), request.sheet1 ? request.sheet1 : request.sheet2,
                request.path1, option1);
  checkPosition(session.secondBook(), request.sheet2 ? request.sheet2 : request.sheet1,
                request.path2, option2);
}

// Runs the comparison with its result rendered in the script format into the destination,
// which is left to be committed.
ComparisonOutcome compareIntoStream(CompareArguments& arguments, SpreadsheetSession& session,
                                    ScriptDestination& destination, ProgressSink& progress,
                                    StreamErrorBox& errors, bool outIsTerminal) {
  ScriptDocument document(*arguments.format, destination, false,
                          arguments.request.options.contents.any());
  RenderOptions options;
  options.colour = namesStandardOutput(arguments.outputFile) && colourWanted(outIsTerminal);
  options.sheetsPaired = chooseComparison(arguments.request) == ComparisonKind::WholeWorkbook;
  const std::unique_ptr<ScriptRenderer> renderer = document.renderer(destination, options);
  CleanRunResult result(*renderer, errors);
  ComparisonContext context{arguments.request, session, result, progress, errors, {}};
  const ComparisonOutcome outcome = runChosenComparison(context);
  if (errors.count() == 0 && outcome.resultComplete) {
    document.addedComparison(renderer->total());
    document.end();
  }
  return outcome;
}

// Runs the comparison with its result rendered as the two documents in the output folder.
ComparisonOutcome compareIntoDocuments(CompareArguments& arguments, SpreadsheetSession& session,
                                       ProgressSink& progress, StreamErrorBox& errors) {
  HtmlResultWriter documents(arguments.outputFolder);
  CleanRunResult result(documents, errors);
  ComparisonContext context{arguments.request, session, result, progress, errors, {}};
  return runChosenComparison(context);
}

// Runs the comparison with its result saved as the review workbook in the file of --output.
ComparisonOutcome compareIntoReview(CompareArguments& arguments, SpreadsheetSession& session,
                                    ProgressSink& progress, StreamErrorBox& errors) {
  ComparisonRequest& request = arguments.request;
  ReviewWorkbookWriter review(*session.secondBook(), *arguments.outputFile,
                              {request.path1, request.path2},
                              chooseComparison(request) == ComparisonKind::WholeWorkbook);
  CleanRunResult result(review, errors);
  ComparisonContext context{request, session, result, progress, errors, {}};
  return runChosenComparison(context);
}

std::string summary(const ComparisonOutcome& outcome) {
  auto plural = [](long n, const char* word) {
    return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
  };
  return plural(outcome.differences, "difference") + " in " +
         std::to_string(outcome.sheetsWithDifferences) + " of " +
         plural(outcome.sheetsCompared, "sheet");
}

}  // namespace

int compareCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   bool errIsTerminal, bool outIsTerminal) {
  if (wantsHelp(arguments)) {
    out << kCompareUsage;
    return kNoDifferences;
  }
  if (namesTwoFolders(arguments))
    return compareFolders(arguments, out, err, errIsTerminal, outIsTerminal);
  auto parsed = parseCompareArguments(arguments, err);
  if (!parsed || !checkFilesExist(parsed->request, err)) return kFailure;
  ComparisonRequest& request = parsed->request;
  if (auto message = startCheckMessage(request)) {
    err << "quillmere-cli compare: " << *message << '\n';
    return kFailure;
  }
  if (chooseComparison(request) == ComparisonKind::WholeWorkbook &&
      (parsed->range1Given || parsed->range2Given))
    err << "quillmere-cli compare: no worksheet is chosen, so the whole workbooks are compared "
           "and the ranges are not used\n";
  // Failures are printed as one line each, whether a trap reports them or they end the run,
  // each on a line of its own below an erased progress line.
  ProgressLine progress(err, errIsTerminal && !parsed->quiet);
  StreamErrorBox errors(err, "quillmere-cli compare: ");
  errors.beforeEachLine([&progress] { progress.clear(); });
  try {
    // Where the result goes is checked before anything is read.
    std::unique_ptr<ScriptDestination> destination;
    if (parsed->reviewWorkbook) {
      refuseFileReplacingInput(*parsed->outputFile, {request.path1, request.path2});
    } else if (parsed->format) {
      destination = std::make_unique<ScriptDestination>(
          parsed->outputFile, out, std::vector<fs::path>{request.path1, request.path2});
    } else {
      refuseFolderHoldingInputs(parsed->outputFolder, {request.path1, request.path2});
      fs::create_directories(parsed->outputFolder);
    }
    progress.setReading(request.path1 + " and " + request.path2);
    SpreadsheetSession session;
    CommandLinePasswords passwords(parsed->passwords, &terminalPrompt());
    ReadOptions readOptions = readOptionsFor(request.options);
    readOptions.passwords = &passwords;
    openWorkbookPair(session, request.path1, request.path2, errors, readOptions);
    if (errors.count() > 0) return kFailure;
    settleSheetNames(*parsed, session);
    fillDefaultRanges(*parsed, session);
    const ComparisonOutcome outcome =
        destination
            ? compareIntoStream(*parsed, session, *destination, progress, errors, outIsTerminal)
        : parsed->reviewWorkbook ? compareIntoReview(*parsed, session, progress, errors)
                                 : compareIntoDocuments(*parsed, session, progress, errors);
    if (errors.count() > 0 || !outcome.resultComplete) return kFailure;
    progress.clear();
    if (destination) destination->commit();
    // The stream on standard output stays the format's alone.
    if (!destination || !namesStandardOutput(parsed->outputFile)) out << summary(outcome) << '\n';
    return outcome.differences > 0 ? kDifferences : kNoDifferences;
  } catch (...) {
    errors.showFailure(errorDescription(std::current_exception()), {});
    return kFailure;
  }
}

}  // namespace quill::cli
