#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/error_trap.h"
#include "cli/clean_run_result.h"
#include "cli/commands.h"
#include "cli/comparison_switches.h"
#include "cli/exit_codes.h"
#include "cli/password_options.h"
#include "cli/script_output.h"
#include "cli/stream_error_box.h"
#include "engine/choose_comparison.h"
#include "formats/session.h"
#include "report/plain_escapes.h"
#include "report/text_renderer.h"
#include "sheet/workbook.h"

namespace quill::cli {

namespace {

constexpr const char* kGitDiffUsage =
    "Usage: quillmere-cli git-diff PATH OLD-FILE OLD-HEX OLD-MODE NEW-FILE NEW-HEX NEW-MODE\n"
    "   or: quillmere-cli git-diff OPTIONS PATH OLD-FILE ... NEW-MODE\n"
    "Prints the differences of two versions of a workbook as git's external diff driver\n"
    "(diff.<driver>.command or GIT_EXTERNAL_DIFF) is given them: a line naming the path,\n"
    "then one line for each difference and a summary, as compare --format text prints them.\n"
    "/dev/null stands for the version of an added or a deleted workbook. A version that\n"
    "cannot be read is told in one line; the exit code is 0 all the same, so that git goes\n"
    "on with the other files.\n"
    "OPTIONS are compare's comparison options, before git's arguments: --align,\n"
    "--ignore-case, --ignore-spaces, --formulas, --exact-spaces, --tolerance N,\n"
    "--relative-tolerance N and --compare LIST (notes, names, hidden, merged, formats, macros or\n"
    "all);\n"
    "the whole workbooks are compared. --align is recommended, so that an inserted row is one\n"
    "difference rather than every row after it.\n";

constexpr const char* kNoFile = "/dev/null";

// The workbook of a version that does not exist: no worksheets at all.
class NoWorkbook final : public Workbook {
 public:
  std::size_t sheetCount() const override { return 0; }
  const Worksheet& sheet(std::size_t) const override {
    throw std::out_of_range("an absent workbook has no worksheets");
  }
};

std::unique_ptr<Workbook> versionWorkbook(const std::string& file, const ContentsToRead& contents) {
  if (file == kNoFile) return std::make_unique<NoWorkbook>();
  // git runs the diff without a terminal to ask on: QUILLMERE_PASSWORD1 alone serves.
  CommandLinePasswords passwords({}, nullptr);
  return openWorkbook(file, ReadOptions{.passwords = &passwords, .contents = contents});
}

// How a version is named: "a/PATH 1a2b3c4", or /dev/null where there is none.
std::string versionName(const std::string& side, const std::string& path, const std::string& file,
                        const std::string& hex) {
  if (file == kNoFile) return kNoFile;
  std::string name = side + path;
  const bool known = hex.size() >= 7 && hex.find_first_not_of('0') != std::string::npos &&
                     hex.find_first_not_of("0123456789abcdef") == std::string::npos;
  return known ? name + " " + hex.substr(0, 7) : name;
}

// Passes failures on to the box with the temporary files git hands over named by their
// paths in the repository, which is what the reader of git's output knows them by.
class RepositoryNamesBox final : public ErrorBox {
 public:
  RepositoryNamesBox(ErrorBox& box, std::vector<std::pair<std::string, std::string>> names)
      : box_(box), names_(std::move(names)) {}
  void show(const std::string& text) override { box_.show(renamed(text)); }
  void showFailure(std::string_view description, const std::string& text) override {
    box_.showFailure(renamed(std::string(description)), renamed(text));
  }

 private:
  // One pass, the longest name matching at each place, so that a name put in is never
  // taken for another file's (a temporary file's name may end in the repository path).
  std::string renamed(const std::string& text) const {
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
      const std::pair<std::string, std::string>* best = nullptr;
      for (const auto& entry : names_)
        if (!entry.first.empty() && text.compare(at, entry.first.size(), entry.first) == 0 &&
            (best == nullptr || entry.first.size() > best->first.size()))
          best = &entry;
      if (best != nullptr) {
        out += best->second;
        at += best->first.size();
      } else {
        out += text[at++];
      }
    }
    return out;
  }

  ErrorBox& box_;
  std::vector<std::pair<std::string, std::string>> names_;
};

}  // namespace

int gitDiffCommand(const std::vector<std::string>& givenArguments, std::ostream& out,
                   std::ostream& err, bool outIsTerminal) {
  if (wantsHelp(givenArguments)) {
    out << kGitDiffUsage;
    return kNoDifferences;
  }
  // The comparison options stand before git's arguments, as diff.<driver>.command puts them.
  ComparisonOptions comparisonOptions;
  std::set<std::string, std::less<>> given;
  std::size_t first = 0;
  for (; first < givenArguments.size() && givenArguments[first].starts_with("--"); ++first) {
    if (givenArguments[first] == "--") {
      ++first;
      break;
    }
    const ComparisonOptionRead read = readComparisonOption(givenArguments, first, comparisonOptions,
                                                           given, "quillmere-cli git-diff: ", err);
    if (read == ComparisonOptionRead::Refused) return kFailure;
    if (read == ComparisonOptionRead::NotOne) {
      err << "quillmere-cli git-diff: unknown option \"" << unknownOptionName(givenArguments[first])
          << "\"\n"
          << kGitDiffUsage;
      return kFailure;
    }
  }
  const std::vector<std::string> arguments(givenArguments.begin() + long(first),
                                           givenArguments.end());
  // Git passes seven arguments, two more for a renamed file, and the path alone for an
  // unmerged one.
  if (arguments.size() != 1 && arguments.size() != 7 && arguments.size() != 9) {
    err << "quillmere-cli git-diff: expected the seven arguments git gives an external diff\n"
        << kGitDiffUsage;
    return kFailure;
  }
  const std::string& path = arguments[0];
  std::string header = "Workbook ";
  appendTerminalText(header, path, false);
  out << header << '\n';
  if (arguments.size() == 1) {
    out << "unmerged: compare the versions once the conflict is resolved\n";
    return kNoDifferences;
  }
  const std::string& newPath = arguments.size() == 9 ? arguments[7] : path;
  ComparisonRequest request;
  request.path1 = arguments[1];
  request.path2 = arguments[4];
  request.options = comparisonOptions;
  StreamErrorBox stream(out, "quillmere-cli git-diff: ");
  RepositoryNamesBox errors(stream,
                            {{request.path1 == kNoFile ? "" : request.path1, "a/" + path},
                             {request.path2 == kNoFile ? "" : request.path2, "b/" + newPath}});
  try {
    SpreadsheetSession session =
        sessionOf(versionWorkbook(request.path1, request.options.contents),
                  versionWorkbook(request.path2, request.options.contents));
    RenderOptions options;
    options.colour = colourWanted(outIsTerminal);
    options.sheetsPaired = true;
    options.name1 = versionName("a/", path, request.path1, arguments[2]);
    options.name2 = versionName("b/", newPath, request.path2, arguments[5]);
    ScriptDestination destination(std::nullopt, out, {});
    TextRenderer renderer(destination, options);
    CleanRunResult result(renderer, stream);
    NoProgress progress;
    ComparisonContext context{request, session, result, progress, errors, {}};
    const ComparisonOutcome outcome = runChosenComparison(context);
    if (stream.count() == 0 && outcome.resultComplete) destination.commit();
  } catch (...) {
    errors.showFailure(errorDescription(std::current_exception()), {});
  }
  out.flush();
  return kNoDifferences;
}

}  // namespace quill::cli
