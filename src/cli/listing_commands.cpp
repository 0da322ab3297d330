#include <filesystem>

#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/listing_escapes.h"
#include "sheet/cell_text.h"
#include "sheet/workbook_file.h"

namespace quill::cli {

namespace {

// Reads the one workbook a listing command names, or says why it cannot.
std::unique_ptr<StoredWorkbook> readNamedWorkbook(const std::vector<std::string>& arguments,
                                                  const char* command, const char* usage,
                                                  std::ostream& out, std::ostream& err) {
  if (wantsHelp(arguments)) {
    out << usage;
    return nullptr;
  }
  if (arguments.size() != 1 || arguments[0].starts_with("-")) {
    err << "quillmere-cli " << command << ": expected one FILE\n" << usage;
    return nullptr;
  }
  const std::string& path = arguments[0];
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    err << "quillmere-cli " << command << ": \"" << path << "\" does not exist or is not a file\n";
    return nullptr;
  }
  try {
    return readWorkbookFile(path);
  } catch (const std::exception& e) {
    err << "quillmere-cli " << command << ": " << e.what() << "\n";
    return nullptr;
  }
}

constexpr const char* kCellsUsage =
    "Usage: quillmere-cli cells FILE\n"
    "Prints every non-empty cell of every worksheet as Sheet!A1<TAB>text, worksheets in tab\n"
    "order, then rows, then columns; backslash, tab, line feed and carriage return are\n"
    "written \\\\, \\t, \\n and \\r.\n";

constexpr const char* kSheetsUsage =
    "Usage: quillmere-cli sheets FILE\n"
    "Prints one line per worksheet: its position from 1, its name and its used area.\n";

}  // namespace

int cellsCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  auto workbook = readNamedWorkbook(arguments, "cells", kCellsUsage, out, err);
  if (!workbook) return wantsHelp(arguments) ? kNoDifferences : kFailure;
  std::string line;
  for (std::size_t i = 1; i <= workbook->sheetCount(); ++i) {
    const StoredSheet& sheet = workbook->storedSheet(i);
    sheet.forEachCell([&](long row, long column, std::string_view text) {
      line.assign(sheet.name());
      line.push_back('!');
      appendCellAddress(line, row, column);
      line.push_back('\t');
      line.append(escapeForListing(text));
      line.push_back('\n');
      out << line;
    });
  }
  return kNoDifferences;
}

int sheetsCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  auto workbook = readNamedWorkbook(arguments, "sheets", kSheetsUsage, out, err);
  if (!workbook) return wantsHelp(arguments) ? kNoDifferences : kFailure;
  for (std::size_t i = 1; i <= workbook->sheetCount(); ++i) {
    const Worksheet& sheet = workbook->sheet(i);
    out << i << '\t' << sheet.name() << '\t' << absoluteAddress(sheet.usedArea()) << '\n';
  }
  return kNoDifferences;
}

}  // namespace quill::cli
