#include "cli/folder_command.h"

#include <atomic>
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
#include "cli/progress_line.h"
#include "report/folder_index.h"

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

// Compares the pairs of both trees on a number of threads, each taking the next pair left;
// fills in each pair's entry and prints its failures, whole lines at a time.
class PairRunner {
 public:
  PairRunner(const FolderArguments& arguments, const std::vector<WorkbookPath>& paths,
             std::vector<FolderIndexEntry>& entries, std::ostream& err, ProgressLine& progress)
      : arguments_(arguments), paths_(paths), entries_(entries), err_(err), progress_(progress) {
    for (const WorkbookPath& path : paths) total_ += path.inFirst && path.inSecond ? 1 : 0;
  }

  void run() {
    std::vector<std::jthread> threads;
    for (unsigned i = 0; i < arguments_.jobs; ++i) threads.emplace_back([this] { work(); });
  }

 private:
  void work() {
    for (std::size_t i = next_++; i < paths_.size(); i = next_++)
      if (paths_[i].inFirst && paths_[i].inSecond) comparePair(paths_[i], entries_[i]);
  }

  void comparePair(const WorkbookPath& path, FolderIndexEntry& entry) {
    std::ostringstream failures;
    const std::string prefix = std::string(kPrefix) + path.relativePath + ": ";
    ComparisonOutcome outcome;
    fs::path folder;
    try {
      folder = pairFolder(arguments_.outputFolder, path.relativePath);
      refuseEscape(arguments_.outputFolder, folder, path.relativePath);
      NoProgress rows;
      outcome = compareWorkbookPair((arguments_.first / path.relativePath).string(),
                                    (arguments_.second / path.relativePath).string(),
                                    arguments_.options, folder, rows, failures, prefix);
    } catch (...) {
      failures << prefix << errorDescription(std::current_exception()) << '\n';
    }
    std::lock_guard lock(mutex_);
    if (!outcome.documentsWritten) {
      entry.state = PairState::Failed;
      entry.failure = failureText(failures.str(), prefix);
      removeIfEmpty(folder);
    } else {
      entry.state = outcome.differences > 0 ? PairState::Different : PairState::Same;
      entry.differences = outcome.differences;
      entry.sheetsWithDifferences = outcome.sheetsWithDifferences;
      entry.sheetsCompared = outcome.sheetsCompared;
    }
    progress_.clear();
    err_ << failures.str() << std::flush;
    ++done_;
    progress_.setText("compared " + std::to_string(done_) + " of " + std::to_string(total_) +
                      " pairs: " + path.relativePath);
  }

  const FolderArguments& arguments_;
  const std::vector<WorkbookPath>& paths_;
  std::vector<FolderIndexEntry>& entries_;
  std::ostream& err_;
  ProgressLine& progress_;
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

// Prints a line for each path and the summary; gives the exit code they add up to.
int printSummary(const std::vector<FolderIndexEntry>& entries, std::ostream& out) {
  long counts[5] = {};
  for (const FolderIndexEntry& entry : entries) {
    ++counts[int(entry.state)];
    out << entry.relativePath << ": " << entryLine(entry) << '\n';
  }
  const long compared = counts[int(PairState::Same)] + counts[int(PairState::Different)] +
                        counts[int(PairState::Failed)];
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

int compareFolders(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   bool errIsTerminal) {
  const auto parsed = parseFolderArguments(arguments, err);
  if (!parsed) return kFailure;
  std::vector<FolderIndexEntry> entries;
  try {
    const std::vector<WorkbookPath> paths = pairWorkbooks(parsed->first, parsed->second);
    fs::create_directories(parsed->outputFolder);
    entries = startingEntries(paths);
    ProgressLine progress(err, errIsTerminal && !parsed->quiet);
    PairRunner(*parsed, paths, entries, err, progress).run();
    progress.setText("writing index.htm");
    saveFolderIndex(parsed->outputFolder,
                    folderIndexMarkup(parsed->first.string(), parsed->second.string(), entries));
  } catch (...) {
    err << kPrefix << errorDescription(std::current_exception()) << '\n';
    return kFailure;
  }
  return printSummary(entries, out);
}

}  // namespace quill::cli
