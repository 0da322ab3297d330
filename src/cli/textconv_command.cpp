#include <filesystem>
#include <optional>

#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/password_options.h"
#include "cli/text_dump.h"
#include "formats/workbook_file.h"
#include "report/plain_escapes.h"

namespace quill::cli {

namespace {

constexpr const char* kTextconvUsage =
    "Usage: quillmere-cli textconv FILE\n"
    "Prints the workbook as lines for a line-by-line diff, such as git's textconv:\n"
    "for each worksheet a line \"Sheet: NAME\", then one line for each row from row 1 to\n"
    "the last row in use, holding the row's cells from column A on as \"quoted\" texts\n"
    "separated by commas. An empty cell is nothing between two commas, the empty cells\n"
    "at the end of a row are left out and an empty row is an empty line, so the n-th line\n"
    "after a sheet's line is its row n. In the quotes, backslash, double quote, tab, line\n"
    "feed and carriage return are written \\\\, \\\", \\t, \\n and \\r, other control\n"
    "characters \\xHH. Each worksheet's notes follow its rows as \"# note A1: \\\"TEXT\\\"\",\n"
    "and the defined names (\"Names:\") and each macro module's source (\"Macro: NAME\")\n"
    "follow the last worksheet, each line after two spaces.\n"
    "A file that cannot be read as a workbook gives one line saying so and why, and the exit\n"
    "code 0, so that git goes on with the other versions.\n";

int fail(std::ostream& err, const std::string& message) {
  err << "quillmere-cli textconv: " << message << '\n';
  return kFailure;
}

}  // namespace

int textconvCommand(const std::vector<std::string>& arguments, std::ostream& out,
                    std::ostream& err) {
  if (wantsHelp(arguments)) {
    out << kTextconvUsage;
    return kNoDifferences;
  }
  const std::optional<std::string> named = oneFileOperand(arguments, "textconv", err);
  if (!named) return kFailure;
  const std::string& path = *named;
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error))
    return fail(err, "\"" + path + "\" does not exist or is not a file");
  std::unique_ptr<StoredWorkbook> workbook;
  try {
    // git runs the conversion without a terminal to ask on: QUILLMERE_PASSWORD1 alone serves.
    CommandLinePasswords passwords({}, nullptr);
    // Names, notes and macro source take lines of their own, so that their edits show too.
    ContentsToRead contents;
    contents.notes = contents.names = contents.macros = true;
    workbook = readWorkbookFile(path, ReadOptions{.passwords = &passwords, .contents = contents});
  } catch (const std::exception& e) {
    // Git stops a whole log at a textconv that fails; a version that is no workbook is told
    // in its place instead.
    std::string line = "This version cannot be read as a workbook: ";
    appendTerminalText(line, e.what(), false);
    out << line << "\n";
    if (!out.flush()) return fail(err, "the lines could not be written to the standard output");
    return kNoDifferences;
  }
  writeTextDump(*workbook, out);
  // A dump cut short (a full disk behind a redirection) must not pass for a whole one.
  if (!out.flush()) return fail(err, "the lines could not be written to the standard output");
  return kNoDifferences;
}

}  // namespace quill::cli
