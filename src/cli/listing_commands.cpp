#include <algorithm>
#include <filesystem>
#include <optional>
#include <vector>

#include "cli/commands.h"
#include "cli/contents_listing.h"
#include "cli/exit_codes.h"
#include "cli/listing_escapes.h"
#include "cli/password_options.h"
#include "engine/comparison_options.h"
#include "formats/workbook_file.h"
#include "sheet/cell_text.h"

namespace quill::cli {

namespace {

// Reads the one workbook a listing command names, or says why it cannot.
std::unique_ptr<StoredWorkbook> readNamedWorkbook(const std::vector<std::string>& arguments,
                                                  const char* command, const char* usage,
                                                  std::ostream& out, std::ostream& err,
                                                  const ReadOptions& options = {}) {
  if (wantsHelp(arguments)) {
    out << usage;
    return nullptr;
  }
  const std::optional<std::string> named = oneFileOperand(arguments, command, err);
  if (!named) return nullptr;
  const std::string& path = *named;
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    err << "quillmere-cli " << command << ": \"" << path << "\" does not exist or is not a file\n";
    return nullptr;
  }
  try {
    // An encrypted workbook opens with QUILLMERE_PASSWORD1, or with a password prompted for.
    CommandLinePasswords passwords({}, &terminalPrompt());
    ReadOptions withPasswords = options;
    withPasswords.passwords = &passwords;
    return readWorkbookFile(path, withPasswords);
  } catch (const std::exception& e) {
    err << "quillmere-cli " << command << ": " << e.what() << "\n";
    return nullptr;
  }
}

constexpr const char* kCellsUsage =
    "Usage: quillmere-cli cells FILE [--formulas]\n"
    "Prints every non-empty cell of every worksheet as Sheet!A1<TAB>text, worksheets in tab\n"
    "order, then rows, then columns; backslash, tab, line feed and carriage return are\n"
    "written \\\\, \\t, \\n and \\r.\n"
    "--formulas  add each formula cell's formula: Sheet!A1<TAB>text<TAB>=formula\n"
    "--notes, --names, --hidden, --merged, --formats, --macros\n"
    "            after the cells, list the notes, defined names, hidden sheets, rows and\n"
    "            columns, merged ranges, cell formats or macro modules, as contents does\n";

constexpr const char* kContentsUsage =
    "Usage: quillmere-cli contents FILE\n"
    "Prints what the workbook holds besides its cells' texts, one line for each thing, fields\n"
    "separated by tabs, in this order:\n"
    "  name<TAB>[SHEET!]NAME<TAB>=FORMULA\n"
    "then for each worksheet in tab order\n"
    "  sheet hidden<TAB>SHEET<TAB>hidden | very hidden\n"
    "  rows hidden<TAB>SHEET!5:9          columns hidden<TAB>SHEET!C:D\n"
    "  merged<TAB>SHEET!A1:C2\n"
    "  note<TAB>SHEET!A1<TAB>AUTHOR<TAB>TEXT\n"
    "  format<TAB>SHEET!B2<TAB>number format 0.00; bold; italic; underline; font colour C; fill C\n"
    "then the macro project\n"
    "  macro<TAB>MODULE, and each line of its source after a tab\n"
    "  macro project unreadable<TAB>WHY\n"
    "Colours are RRGGBB, or \"theme N\" (\" tint T\"); texts are escaped as cells escapes them.\n";

// Splits the switches that name contents off the arguments of the cells command.
ContentsToRead takeContentsSwitches(std::vector<std::string>& arguments) {
  ContentsToRead parts;
  const auto optionsEnd = std::find(arguments.begin(), arguments.end(), "--");
  const auto kept = std::remove_if(arguments.begin(), optionsEnd, [&](const std::string& argument) {
    bool ContentsToRead::*part =
        argument.starts_with("--") ? contentsPart(std::string_view(argument).substr(2)) : nullptr;
    if (part) parts.*part = true;
    return part != nullptr;
  });
  arguments.erase(kept, optionsEnd);
  return parts;
}

void appendListingLine(std::string& line, const std::string& sheet, long row, long column,
                       std::string_view text, std::string_view formula) {
  line.assign(escapeForListing(sheet));
  line.push_back('!');
  appendCellAddress(line, row, column);
  line.push_back('\t');
  line.append(escapeForListing(text));
  if (!formula.empty()) {
    line.push_back('\t');
    line.append(escapeForListing(formula));
  }
  line.push_back('\n');
}

// Lists the cells of a sheet with their formulas: a formula cell without a value is listed
// too, with an empty text.
void listCellsWithFormulas(const StoredSheet& sheet, std::ostream& out) {
  std::string line;
  struct Entry {
    long row;
    long column;
    std::string_view text;
    std::string_view formula;
  };
  std::vector<Entry> entries;
  sheet.forEachCell([&](long row, long column, std::string_view text) {
    entries.push_back({row, column, text, sheet.cellFormula(row, column)});
  });
  sheet.formulas().forEach([&](long row, long column, std::string_view formula) {
    if (sheet.cellText(row, column).empty()) entries.push_back({row, column, {}, formula});
  });
  std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    return a.row != b.row ? a.row < b.row : a.column < b.column;
  });
  for (const Entry& entry : entries) {
    appendListingLine(line, sheet.name(), entry.row, entry.column, entry.text, entry.formula);
    out << line;
  }
}

// Splits the --formulas option off the arguments of the cells command; after "--" it is a
// file's name.
bool takeFormulasOption(std::vector<std::string>& arguments) {
  const auto optionsEnd = std::find(arguments.begin(), arguments.end(), "--");
  const auto option = std::find(arguments.begin(), optionsEnd, "--formulas");
  if (option == optionsEnd) return false;
  arguments.erase(option);
  return true;
}

// The exit code of a listing once written: a listing cut short (a full disk behind a
// redirection) must not pass for a whole one.
int listingWritten(std::ostream& out, std::ostream& err, const char* command) {
  if (out.flush()) return kNoDifferences;
  err << "quillmere-cli " << command << ": the lines could not be written to the standard output\n";
  return kFailure;
}

constexpr const char* kSheetsUsage =
    "Usage: quillmere-cli sheets FILE\n"
    "Prints one line per worksheet: its position from 1, its name and its used area.\n";

}  // namespace

int cellsCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  std::vector<std::string> rest = arguments;
  ReadOptions options{takeFormulasOption(rest)};
  options.contents = takeContentsSwitches(rest);
  auto workbook = readNamedWorkbook(rest, "cells", kCellsUsage, out, err, options);
  if (!workbook) return wantsHelp(arguments) ? kNoDifferences : kFailure;
  std::string line;
  for (std::size_t i = 1; i <= workbook->sheetCount(); ++i) {
    const StoredSheet& sheet = workbook->storedSheet(i);
    if (options.formulas) {
      listCellsWithFormulas(sheet, out);
      continue;
    }
    sheet.forEachCell([&](long row, long column, std::string_view text) {
      appendListingLine(line, sheet.name(), row, column, text, {});
      out << line;
    });
  }
  writeContentsListing(*workbook, options.contents, out);
  return listingWritten(out, err, "cells");
}

int contentsCommand(const std::vector<std::string>& arguments, std::ostream& out,
                    std::ostream& err) {
  ReadOptions options;
  options.contents = ContentsToRead::all();
  auto workbook = readNamedWorkbook(arguments, "contents", kContentsUsage, out, err, options);
  if (!workbook) return wantsHelp(arguments) ? kNoDifferences : kFailure;
  writeContentsListing(*workbook, options.contents, out);
  return listingWritten(out, err, "contents");
}

int sheetsCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  auto workbook = readNamedWorkbook(arguments, "sheets", kSheetsUsage, out, err);
  if (!workbook) return wantsHelp(arguments) ? kNoDifferences : kFailure;
  for (std::size_t i = 1; i <= workbook->sheetCount(); ++i) {
    const Worksheet& sheet = workbook->sheet(i);
    out << i << '\t' << escapeForListing(sheet.name()) << '\t' << absoluteAddress(sheet.usedArea())
        << '\n';
  }
  return listingWritten(out, err, "sheets");
}

}  // namespace quill::cli
