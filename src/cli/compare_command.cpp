#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <optional>

#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/stream_error_box.h"
#include "engine/whole_workbook.h"
#include "report/documents.h"
#include "sheet/session.h"

namespace quill::cli {

namespace {

namespace fs = std::filesystem;

constexpr const char* kCompareUsage =
    "Usage: quillmere-cli compare FILE1 FILE2 [--out DIR]\n"
    "Compares FILE1 with FILE2 sheet by sheet and cell by cell and writes report.htm and\n"
    "visualized.htm into DIR (default: the current folder).\n"
    "Exit codes: 0 no differences, 1 differences found, 2 error (nothing written).\n";

struct CompareArguments {
  ComparisonRequest request;
  fs::path outputFolder = ".";
};

// Reads the command's arguments; on a mistake says what is wrong and gives nothing.
std::optional<CompareArguments> parseArguments(const std::vector<std::string>& arguments,
                                               std::ostream& err) {
  CompareArguments parsed;
  std::vector<std::string> files;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--out") {
      if (i + 1 >= arguments.size()) {
        err << "quillmere-cli compare: --out needs a folder\n";
        return std::nullopt;
      }
      parsed.outputFolder = arguments[++i];
    } else if (argument.starts_with("-") && argument != "-") {
      err << "quillmere-cli compare: unknown option \"" << argument << "\"\n" << kCompareUsage;
      return std::nullopt;
    } else {
      files.push_back(argument);
    }
  }
  if (files.size() != 2) {
    err << "quillmere-cli compare: expected two files\n" << kCompareUsage;
    return std::nullopt;
  }
  parsed.request.Text1 = files[0];
  parsed.request.Text2 = files[1];
  return parsed;
}

bool checkFilesExist(const ComparisonRequest& request, std::ostream& err) {
  bool ok = true;
  for (const std::string& path : {request.Text1, request.Text2}) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) {
      err << "quillmere-cli compare: \"" << path << "\" does not exist or is not a file\n";
      ok = false;
    }
  }
  return ok;
}

// A folder beside the results that receives the documents until they are complete.
class StagingFolder {
 public:
  explicit StagingFolder(const fs::path& parent) {
    std::string pattern = (parent / ".quillmere-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
      throw std::runtime_error("Cannot write into \"" + parent.string() + "\": " +
                               std::strerror(errno));
    path_ = pattern;
  }
  ~StagingFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

std::string summary(const ComparisonOutcome& outcome) {
  auto plural = [](long n, const char* word) {
    return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
  };
  return plural(outcome.differences, "difference") + " in " +
         std::to_string(outcome.sheetsWithDifferences) + " of " +
         plural(outcome.sheetsCompared, "sheet");
}

}  // namespace

int compareCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  if (wantsHelp(arguments)) {
    out << kCompareUsage;
    return kNoDifferences;
  }
  auto parsed = parseArguments(arguments, err);
  if (!parsed || !checkFilesExist(parsed->request, err)) return kFailure;
  try {
    fs::create_directories(parsed->outputFolder);
    StagingFolder staging(parsed->outputFolder);
    StreamErrorBox errors(err);
    NoProgress progress;
    SpreadsheetSession session;
    initializeExcelFiles(session, parsed->request.Text1, parsed->request.Text2, errors);
    ComparisonContext context{parsed->request, session, staging.path(), progress, errors, {}};
    ComparisonOutcome outcome = DoItByFile(context);
    if (errors.count() > 0 || !outcome.documentsWritten) return kFailure;
    for (std::string_view name : {kReportFileName, kGridFileName})
      fs::rename(staging.path() / name, parsed->outputFolder / name);
    out << summary(outcome) << '\n';
    return outcome.differences > 0 ? kDifferences : kNoDifferences;
  } catch (const std::exception& e) {
    err << "quillmere-cli compare: " << e.what() << '\n';
    return kFailure;
  }
}

}  // namespace quill::cli
