#include "cli/folder_command.h"

#include <atomic>
#include <condition_variable>
#include <exception>
#include <filesystem>
#include <mutex>
#include <sstream>
#include <thread>

#include "base/error_trap.h"
#include "cli/exit_codes.h"
#include "cli/folder_options.h"
#include "cli/folder_pairing.h"
#include "cli/pair_comparison.h"
#include "cli/password_options.h"
#include "cli/progress_line.h"
#include "cli/script_output.h"
#include "cli/write_fence.h"
#include "report/folder_index.h"
#include "report/script_document.h"
#include "review/review_workbook.h"

namespace quill::cli {

namespace fs = std::filesystem;

namespace {

constexpr const char* kPrefix = "quillmere-cli compare: ";

// The index entries of the paths, one-sided ones already settled as added or removed.
std::vector<FolderIndexEntry> startingEntries(const std::vector<WorkbookPath>& paths) {
  std::vector<FolderIndexEntry> entries(paths.size());
  for (std::size_t i = 0; i < paths.size(); ++i) {
    entries[i].relativePath = paths[i].relativePath;
    if (!paths[i].inSecond) entries[i].state = PairState::Removed;
    if (!paths[i].inFirst) entries[i].state = PairState::Added;
    if (!paths[i].failure.empty()) {
      entries[i].state = PairState::Failed;
      entries[i].failure = paths[i].failure;
    }
  }
  return entries;
}

// Throws when the pair's folder, links followed, would lie outside the output folder.
void refuseEscape(const fs::path& outputFolder, const fs::path& pairFolderPath,
                  const std::string& relativePath) {
  const fs::path inside =
      fs::weakly_canonical(pairFolderPath).lexically_relative(fs::canonical(outputFolder));
  if (inside.empty() || *inside.begin() == "..")
    throw std::runtime_error("the folder for \"" + relativePath +
                             "\" leads out of the output folder");
}

// Prints a line for each path that could not even be listed.
void printListingFailures(const std::vector<WorkbookPath>& paths, std::ostream& err) {
  for (const WorkbookPath& path : paths)
    if (!path.failure.empty()) err << kPrefix << path.relativePath << ": " << path.failure << '\n';
}

// Throws when a file, not a folder, stands where the pair's folder or one of the folders
// above it inside the output folder must go.
void refuseFileInTheWay(const fs::path& outputFolder, const std::string& relativePath) {
  fs::path folder = outputFolder;
  for (const fs::path& part : fs::path(relativePath)) {
    folder /= part;
    std::error_code error;
    if (fs::exists(folder, error) && !fs::is_directory(folder, error))
      throw std::runtime_error("\"" + folder.string() +
                               "\" is a file, where a folder for the documents must go");
  }
}

// The failures printed for a pair, without their prefix, in one line for the index.
std::string failureText(const std::string& printed, const std::string& prefix) {
  std::string text;
  std::istringstream lines(printed);
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with(prefix)) line.erase(0, prefix.size());
    text += (text.empty() ? "" : "; ") + line;
  }
  return text.empty() ? "not compared" : text;
}

// Removes a failed pair's folder when the attempt left it empty; a folder that holds
// anything, such as an earlier run's documents, stays, and so does one that cannot be
// removed: it is empty, and index.htm lists the pair as failed either way.
void removeIfEmpty(const fs::path& folder) {
  std::error_code error;
  if (!folder.empty() && !fs::is_symlink(folder, error) && fs::is_empty(folder, error))
    fs::remove(folder, error);
}

// How many pairs past the first one not yet written into a script format's stream may be
// compared and held, each in a temporary file, while that one is still being compared.
constexpr std::size_t kPairsAhead = 64;

// Compares the pairs of both trees on a number of threads, each taking the next pair left;
// fills in each pair's entry and prints its failures, whole lines at a time. Given a script
// document, it renders each pair into a temporary file and adds every path to the document
// in path order as soon as those before it are done.
class PairRunner {
 public:
  PairRunner(const FolderArguments& arguments, const WriteFence& fence,
             const std::vector<WorkbookPath>& paths, std::vector<FolderIndexEntry>& entries,
             std::ostream& err, ProgressLine& progress, ScriptDocument* document)
      : arguments_(arguments),
        fence_(fence),
        paths_(paths),
        entries_(entries),
        err_(err),
        progress_(progress),
        document_(document),
        passwords_(arguments.passwords, &terminalPrompt(), true),
        renderings_(paths.size()),
        totals_(paths.size()),
        finished_(paths.size(), 0) {
    for (const WorkbookPath& path : paths) total_ += comparable(path) ? 1 : 0;
  }

  // Throws the failure to write the script document, when there was one.
  void run() {
    {
      std::vector<std::jthread> threads;
      for (unsigned i = 0; i < arguments_.jobs; ++i) threads.emplace_back([this] { work(); });
    }
    if (writeFailure_) std::rethrow_exception(writeFailure_);
  }

 private:
  void work() {
    for (std::size_t i = next_++; i < paths_.size(); i = next_++) {
      if (document_ != nullptr && !waitForRoom(i)) return;
      if (comparable(paths_[i])) {
        comparePair(i);
      } else if (document_ != nullptr) {
        std::lock_guard lock(mutex_);
        finished_[i] = 1;
        writeFinished();
      }
    }
  }

  static bool comparable(const WorkbookPath& path) {
    return path.inFirst && path.inSecond && path.failure.empty();
  }

  // Waits until the pair is few enough places past the first one not written; false when
  // writing failed and nothing more is to be compared.
  bool waitForRoom(std::size_t i) {
    std::unique_lock lock(mutex_);
    room_.wait(lock, [&] { return i < written_ + kPairsAhead || writeFailure_; });
    return !writeFailure_;
  }

  // Adds the paths done to the document, in order, up to the first one not done; a failure
  // to write is kept for run() to throw. Called with the mutex held.
  void writeFinished() {
    try {
      for (; written_ < paths_.size() && finished_[written_] != 0 && !writeFailure_; ++written_) {
        addToDocument(written_);
        renderings_[written_].reset();
      }
    } catch (...) {
      writeFailure_ = std::current_exception();
    }
    room_.notify_all();
  }

  void addToDocument(std::size_t i) {
    const FolderIndexEntry& entry = entries_[i];
    const std::string file1 = (arguments_.first / entry.relativePath).string();
    const std::string file2 = (arguments_.second / entry.relativePath).string();
    switch (entry.state) {
      case PairState::Same:
      case PairState::Different:
        document_->addComparison(*renderings_[i], totals_[i]);
        return;
      case PairState::Failed:
        document_->addPathEntry(entry.relativePath, "failed", file1, file2, entry.failure);
        return;
      case PairState::Added:
        document_->addPathEntry(entry.relativePath, "added", {}, file2, {});
        return;
      case PairState::Removed:
        document_->addPathEntry(entry.relativePath, "removed", file1, {}, {});
        return;
    }
  }

  void comparePair(std::size_t i) {
    const WorkbookPath& path = paths_[i];
    FolderIndexEntry& entry = entries_[i];
    std::ostringstream failures;
    const std::string prefix = std::string(kPrefix) + path.relativePath + ": ";
    ComparisonOutcome outcome;
    fs::path folder;
    std::string reviewFile;
    try {
      const std::string path1 = (arguments_.first / path.relativePath).string();
      const std::string path2 = (arguments_.second / path.relativePath).string();
      NoProgress rows;
      if (document_ != nullptr) {
        outcome = renderPair(i, path1, path2, rows, failures, prefix);
      } else {
        folder = pairFolder(arguments_.outputFolder, path.relativePath);
        refuseFileInTheWay(arguments_.outputFolder, path.relativePath);
        refuseEscape(arguments_.outputFolder, folder, path.relativePath);
        fence_.refuseFolderInTrees(folder);
        for (const char* document : {"report.htm", "visualized.htm"})
          fence_.dropLinkLeadingOut(folder / document);
        outcome = compareWorkbookPair(path1, path2, arguments_.options, folder, rows, failures,
                                      prefix, arguments_.reviewWorkbooks, &passwords_);
        if (arguments_.reviewWorkbooks && outcome.resultComplete && outcome.differences > 0)
          reviewFile = reviewFileName(path2);
      }
    } catch (...) {
      outcome = {};
      failures << prefix << errorDescription(std::current_exception()) << '\n';
    }
    std::lock_guard lock(mutex_);
    if (!outcome.resultComplete) {
      entry.state = PairState::Failed;
      entry.failure = failureText(failures.str(), prefix);
      removeIfEmpty(folder);
    } else {
      entry.state = outcome.differences > 0 ? PairState::Different : PairState::Same;
      entry.differences = outcome.differences;
      entry.sheetsWithDifferences = outcome.sheetsWithDifferences;
      entry.sheetsCompared = outcome.sheetsCompared;
      entry.reviewWorkbook = reviewFile;
    }
    progress_.clear();
    err_ << failures.str() << std::flush;
    ++done_;
    progress_.setText("compared " + std::to_string(done_) + " of " + std::to_string(total_) +
                      " pairs: " + path.relativePath);
    if (document_ != nullptr) {
      finished_[i] = 1;
      writeFinished();
    }
  }

  // Renders the pair's result into a temporary file of its own, held until it is written.
  ComparisonOutcome renderPair(std::size_t i, const std::string& path1, const std::string& path2,
                               ProgressSink& rows, std::ostream& failures,
                               const std::string& prefix) {
    auto rendering = std::make_unique<SpoolByteSink>();
    RenderOptions options;
    options.sheetsPaired = true;
    options.section = paths_[i].relativePath;
    const std::unique_ptr<ScriptRenderer> renderer = document_->renderer(*rendering, options);
    const ComparisonOutcome outcome = compareWorkbookPair(
        path1, path2, arguments_.options, *renderer, rows, failures, prefix, &passwords_);
    std::lock_guard lock(mutex_);
    totals_[i] = renderer->total();
    renderings_[i] = std::move(rendering);
    return outcome;
  }

  const FolderArguments& arguments_;
  const WriteFence& fence_;
  const std::vector<WorkbookPath>& paths_;
  std::vector<FolderIndexEntry>& entries_;
  std::ostream& err_;
  ProgressLine& progress_;
  ScriptDocument* document_;
  CommandLinePasswords passwords_;  // one password for the whole run
  std::vector<std::unique_ptr<SpoolByteSink>> renderings_;
  std::vector<ResultTotal> totals_;
  std::vector<char> finished_;
  std::size_t written_ = 0;
  std::exception_ptr writeFailure_;
  std::condition_variable room_;
  std::atomic<std::size_t> next_ = 0;
  std::mutex mutex_;
  std::size_t done_ = 0, total_ = 0;
};

std::string plural(long n, const char* word) {
  return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

std::string entryLine(const FolderIndexEntry& entry) {
  switch (entry.state) {
    case PairState::Same:
    case PairState::Different:
      return plural(entry.differences, "difference") + " in " +
             std::to_string(entry.sheetsWithDifferences) + " of " +
             plural(entry.sheetsCompared, "sheet");
    case PairState::Failed:
      return "failed";
    case PairState::Added:
      return "added (in the second folder only)";
    case PairState::Removed:
      return "removed (in the first folder only)";
  }
  return {};
}

// Prints a line for each path and the summary, unless print is false; gives the exit code
// they add up to.
int printSummary(const std::vector<FolderIndexEntry>& entries, std::ostream& out,
                 bool print = true) {
  long counts[5] = {};
  for (const FolderIndexEntry& entry : entries) {
    ++counts[int(entry.state)];
    if (print) out << entry.relativePath << ": " << entryLine(entry) << '\n';
  }
  const long compared = counts[int(PairState::Same)] + counts[int(PairState::Different)] +
                        counts[int(PairState::Failed)];
  if (print)
    out << plural(compared, "pair") << " compared: " << counts[int(PairState::Different)]
        << " different, " << counts[int(PairState::Failed)] << " failed; "
        << counts[int(PairState::Added)] << " added, " << counts[int(PairState::Removed)]
        << " removed\n";
  if (counts[int(PairState::Failed)] > 0) return kFailure;
  const bool differ = counts[int(PairState::Different)] + counts[int(PairState::Added)] +
                          counts[int(PairState::Removed)] >
                      0;
  return differ ? kDifferences : kNoDifferences;
}

}  // namespace

namespace {

// The folder comparison with every pair's result in one stream of a script format, on
// standard output or in the file of --output.
int compareFoldersIntoStream(const FolderArguments& arguments, std::ostream& out, std::ostream& err,
                             bool errIsTerminal, bool outIsTerminal) {
  std::vector<FolderIndexEntry> entries;
  try {
    const WriteFence fence(".", {arguments.first, arguments.second});
    if (!namesStandardOutput(arguments.outputFile))
      fence.refuseInsideTrees(*arguments.outputFile, "--output");
    ScriptDestination destination(arguments.outputFile, out, {});
    ScriptDocument document(*arguments.format, destination, true, arguments.options.contents.any());
    // The sections of many pairs are read in a pager or a file rather than on the terminal
    // itself, so they are not coloured.
    (void)outIsTerminal;
    const std::vector<WorkbookPath> paths = pairWorkbooks(arguments.first, arguments.second);
    entries = startingEntries(paths);
    printListingFailures(paths, err);
    ProgressLine progress(err, errIsTerminal && !arguments.quiet);
    PairRunner(arguments, fence, paths, entries, err, progress, &document).run();
    document.end();
    progress.clear();
    destination.commit();
  } catch (...) {
    err << kPrefix << errorDescription(std::current_exception()) << '\n';
    return kFailure;
  }
  return printSummary(entries, out, !namesStandardOutput(arguments.outputFile));
}

}  // namespace

int compareFolders(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   bool errIsTerminal, bool outIsTerminal) {
  const auto parsed = parseFolderArguments(arguments, err);
  if (!parsed) return kFailure;
  if (parsed->format)
    return compareFoldersIntoStream(*parsed, out, err, errIsTerminal, outIsTerminal);
  std::vector<FolderIndexEntry> entries;
  try {
    const WriteFence fence(parsed->outputFolder, {parsed->first, parsed->second});
    fence.refuseInsideTrees(parsed->outputFolder, "--out");
    const std::vector<WorkbookPath> paths = pairWorkbooks(parsed->first, parsed->second);
    fs::create_directories(parsed->outputFolder);
    entries = startingEntries(paths);
    printListingFailures(paths, err);
    ProgressLine progress(err, errIsTerminal && !parsed->quiet);
    PairRunner(*parsed, fence, paths, entries, err, progress, nullptr).run();
    progress.setText("writing index.htm");
    fence.dropLinkLeadingOut(parsed->outputFolder / "index.htm");
    saveFolderIndex(parsed->outputFolder,
                    folderIndexMarkup(parsed->first.string(), parsed->second.string(), entries));
  } catch (...) {
    err << kPrefix << errorDescription(std::current_exception()) << '\n';
    return kFailure;
  }
  return printSummary(entries, out);
}

}  // namespace quill::cli
