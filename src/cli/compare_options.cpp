#include "cli/compare_options.h"

#include <charconv>
#include <string_view>

namespace quill::cli {

const char* const kCompareUsage =
    "Usage: quillmere-cli compare FILE1 FILE2 [--out DIR] [OPTIONS]\n"
    "Compares FILE1 with FILE2 and writes report.htm and visualized.htm into DIR (default: the\n"
    "current folder). Without options the workbooks are compared sheet by sheet and cell by\n"
    "cell.\n"
    "\n"
    "Options:\n"
    "  --sheet1 N           the N-th worksheet of FILE1 (from 1); without --sheet2 also FILE2's\n"
    "  --sheet2 N           the N-th worksheet of FILE2; without --sheet1 also FILE1's\n"
    "  --mode MODE          range (the default), rows or columns\n"
    "  --range1 ADDRESS     range mode: FILE1's areas, such as $B$1:$F$30, $A:$C or B2,D4:E9\n"
    "                       rows mode: the columns, such as $B:$F; columns mode: the rows,\n"
    "                       such as $1:$20 (default: every cell either worksheet uses)\n"
    "  --range2 ADDRESS     range mode: FILE2's areas (default: the same as --range1)\n"
    "  --start TEXT         rows mode: first row (default 1); columns mode: first column (A)\n"
    "  --end TEXT           last row or column (default: the last either worksheet uses)\n"
    "  --identifying LIST   identifying columns (rows mode) or rows (columns mode), such as\n"
    "                       \"A, C\" or \"1, 4\"\n"
    "  --ignore LIST        columns or rows to leave out, in the same form\n"
    "Range mode without --sheet1 or --sheet2 compares the whole workbooks.\n"
    "\n"
    "Exit codes: 0 no differences, 1 differences found, 2 error (nothing written).\n";

namespace {

bool readMode(std::string_view text, Mode& mode) {
  if (text == "range") {
    mode = Mode::Range;
  } else if (text == "rows") {
    mode = Mode::Rows;
  } else if (text == "columns") {
    mode = Mode::Columns;
  } else {
    return false;
  }
  return true;
}

bool readSheetPosition(std::string_view text, std::optional<int>& position) {
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 1) return false;
  position = value;
  return true;
}

// Stores an option's value in its field; false when the value does not fit the option.
bool storeOption(std::string_view option, const std::string& value, CompareArguments& parsed,
                 std::optional<std::string>& start, std::optional<std::string>& end) {
  ComparisonRequest& request = parsed.request;
  if (option == "--sheet1") return readSheetPosition(value, request.sheet1);
  if (option == "--sheet2") return readSheetPosition(value, request.sheet2);
  if (option == "--mode") return readMode(value, request.mode);
  if (option == "--out") {
    parsed.outputFolder = value;
  } else if (option == "--range1") {
    request.range1 = value;
    parsed.range1Given = true;
  } else if (option == "--range2") {
    request.range2 = value;
    parsed.range2Given = true;
  } else if (option == "--start") {
    start = value;
  } else if (option == "--end") {
    end = value;
  } else if (option == "--identifying") {
    request.identifying = value;
  } else if (option == "--ignore") {
    request.ignored = value;
  }
  return true;
}

bool takesValue(std::string_view option) {
  for (std::string_view known : {"--out", "--sheet1", "--sheet2", "--mode", "--range1", "--range2",
                                 "--start", "--end", "--identifying", "--ignore"})
    if (option == known) return true;
  return false;
}

}  // namespace

std::optional<CompareArguments> parseCompareArguments(const std::vector<std::string>& arguments,
                                                      std::ostream& err) {
  CompareArguments parsed;
  std::optional<std::string> start, end;  // stored once the mode is known
  std::vector<std::string> files;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (takesValue(argument)) {
      if (i + 1 >= arguments.size()) {
        err << "quillmere-cli compare: " << argument << " needs a value\n";
        return std::nullopt;
      }
      const std::string& value = arguments[++i];
      if (!storeOption(argument, value, parsed, start, end)) {
        err << "quillmere-cli compare: " << argument << " does not take \"" << value << "\"; "
            << (argument == "--mode" ? "expected range, rows or columns"
                                     : "expected a worksheet position from 1")
            << '\n';
        return std::nullopt;
      }
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
  parsed.request.path1 = files[0];
  parsed.request.path2 = files[1];
  ComparisonRequest& request = parsed.request;
  if (request.mode == Mode::Columns) {
    if (start) request.startColumn = *start;
    if (end) request.endColumn = *end;
  } else {
    if (start) request.startRow = *start;
    if (end) request.endRow = *end;
  }
  return parsed;
}

}  // namespace quill::cli
