#include "cli/cli.h"

#include "cli/commands.h"
#include "cli/exit_codes.h"

namespace quill::cli {

namespace {

constexpr const char* kUsage =
    "Usage: quillmere-cli COMMAND [OPTIONS]\n"
    "Compares two spreadsheet workbooks and writes report.htm and visualized.htm, or the\n"
    "differences as text, CSV or JSON.\n"
    "\n"
    "Commands:\n"
    "  compare FILE1 FILE2 [--out DIR] [OPTIONS]\n"
    "                                    compare two workbooks, whole or one area of a\n"
    "                                    worksheet in each, as a range or a keyed table\n"
    "  compare FILE1 FILE2 --format text|csv|json [--output FILE] [OPTIONS]\n"
    "                                    the differences as one stream: a line or record\n"
    "                                    for each, and the counts\n"
    "  compare DIR1 DIR2 [--out DIR] [--jobs N] [--format FORMAT] [--output FILE]\n"
    "                                    compare the workbooks of two folder trees in pairs\n"
    "  cells FILE                        list every non-empty cell as Sheet!A1<TAB>text\n"
    "  sheets FILE                       list the worksheets with their used areas\n"
    "  contents FILE                     list the notes, defined names, hidden and merged\n"
    "                                    areas, cell formats and macro modules\n"
    "  textconv FILE                     print the workbook as lines for git's textconv,\n"
    "                                    one line for each row\n"
    "  git-diff PATH OLD-FILE OLD-HEX OLD-MODE NEW-FILE NEW-HEX NEW-MODE\n"
    "                                    print the differences of two versions of a\n"
    "                                    workbook, for git's diff.<driver>.command\n"
    "\n"
    "Run 'quillmere-cli COMMAND --help' for a command's options, 'quillmere-cli --version'\n"
    "for the version.\n"
    "Exit codes: 0 no differences, 1 differences found, 2 error.\n";

}  // namespace

int run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
        bool errIsTerminal, bool outIsTerminal) {
  if (arguments.empty()) {
    err << kUsage;
    return kFailure;
  }
  const std::string& command = arguments.front();
  const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
  if (command == "--version") {
    out << "quillmere-cli " << QUILLMERE_VERSION << '\n';
    return kNoDifferences;
  }
  if (command == "--help" || command == "-h" || command == "help") {
    out << kUsage;
    return kNoDifferences;
  }
  if (command == "compare") return compareCommand(rest, out, err, errIsTerminal, outIsTerminal);
  if (command == "git-diff") return gitDiffCommand(rest, out, err, outIsTerminal);
  if (command == "cells") return cellsCommand(rest, out, err);
  if (command == "sheets") return sheetsCommand(rest, out, err);
  if (command == "contents") return contentsCommand(rest, out, err);
  if (command == "textconv") return textconvCommand(rest, out, err);
  err << "quillmere-cli: unknown command \"" << command << "\"\n" << kUsage;
  return kFailure;
}

bool wantsHelp(const std::vector<std::string>& arguments) {
  for (const std::string& argument : arguments) {
    if (argument == "--") return false;
    if (argument == "--help" || argument == "-h") return true;
  }
  return false;
}

std::string unknownOptionName(std::string_view argument) {
  return std::string(argument.substr(0, argument.find('=')));
}

std::optional<std::string> oneFileOperand(const std::vector<std::string>& arguments,
                                          std::string_view command, std::ostream& err) {
  const std::string prefix = "quillmere-cli " + std::string(command) + ": ";
  std::vector<std::string> files;
  bool optionsEnded = false;
  for (const std::string& argument : arguments) {
    if (!optionsEnded && argument == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && argument.starts_with("-") && argument != "-") {
      err << prefix << "unknown option \"" << unknownOptionName(argument)
          << "\"; a file whose name begins with \"-\" goes after \"--\"\n";
      return std::nullopt;
    } else {
      files.push_back(argument);
    }
  }
  if (files.size() == 1) return files.front();
  if (files.empty())
    err << prefix << "no FILE given; run 'quillmere-cli " << command << " --help' for its usage\n";
  else
    err << prefix << "takes one FILE, and " << files.size() << " were given\n";
  return std::nullopt;
}

}  // namespace quill::cli
