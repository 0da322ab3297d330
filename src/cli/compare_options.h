#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/password_options.h"
#include "engine/request.h"
#include "report/script_document.h"

namespace quill::cli {

// The compare command's arguments: the request its options fill field by field, and where
// the documents go.
struct CompareArguments {
  ComparisonRequest request;
  std::filesystem::path outputFolder = ".";
  bool range1Given = false;
  bool range2Given = false;
  // Worksheets chosen by name; the request then holds a stand-in position until the
  // workbooks are open. Empty where a position was given or nothing.
  std::string sheet1Name;
  std::string sheet2Name;
  bool quiet = false;  // no progress line
  // --format: the stream of a script format instead of the two documents, into the file
  // of --output or onto the standard output.
  std::optional<ScriptFormat> format;
  std::optional<std::filesystem::path> outputFile;
  // --format xlsx: the review workbook, File #2 with its differences marked, into the file
  // of --output.
  bool reviewWorkbook = false;
  PasswordArguments passwords;  // of encrypted files
};

// The one mistake in choosing where a result goes, or "": --output needs a script format,
// and --out is for the documents alone.
std::string outputMistake(const std::optional<ScriptFormat>& format, bool outGiven,
                          bool outputGiven);

// What is wrong with an option given a value (the part before "=") in a file comparison
// where it takes none or is for folders alone, or "".
std::string misplacedOption(std::string_view option);

// The same for --format xlsx: the review workbook goes into the file --output names.
std::string reviewOutputMistake(bool outGiven, bool outputGiven);

extern const char* const kCompareUsage;

// Reads the compare command's arguments; on a mistake says what is wrong and gives nothing.
// A keyed mode without --start starts at row 1 or column A, as the window does.
std::optional<CompareArguments> parseCompareArguments(const std::vector<std::string>& arguments,
                                                      std::ostream& err);

}  // namespace quill::cli
