#include "cli/compare_options.h"

#include <algorithm>
#include <charconv>
#include <set>
#include <string_view>

#include "cli/commands.h"
#include "cli/comparison_switches.h"
#include "cli/script_output.h"
#include "engine/choose_comparison.h"

namespace quill::cli {

const char* const kCompareUsage =
    "Usage: quillmere-cli compare FILE1 FILE2 [--out DIR] [OPTIONS]\n"
    "       quillmere-cli compare FILE1 FILE2 --format text|csv|json [--output FILE] [OPTIONS]\n"
    "       quillmere-cli compare FILE1 FILE2 --format xlsx --output FILE [OPTIONS]\n"
    "       quillmere-cli compare DIR1 DIR2 [--out DIR] [--jobs N] [--quiet]\n"
    "       quillmere-cli compare DIR1 DIR2 --format text|csv|json [--output FILE] [--jobs N]\n"
    "       quillmere-cli compare DIR1 DIR2 --format xlsx [--out DIR] [--jobs N]\n"
    "Compares FILE1 with FILE2 and writes report.htm and visualized.htm into DIR (default: the\n"
    "current folder). Without options the workbooks are compared sheet by sheet and cell by\n"
    "cell.\n"
    "\n"
    "Options (--name=value works as --name value; -- ends the options):\n"
    "  --sheet1 SHEET       FILE1's worksheet; without --sheet2 FILE2's at the same position\n"
    "  --sheet2 SHEET       FILE2's worksheet; without --sheet1 FILE1's at the same position\n"
    "                       SHEET is a position from 1 when it is digits alone, else a name;\n"
    "                       a name of digits alone goes in single quotes: --sheet1 \"'2019'\"\n"
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
    "  --match key          rows or columns mode: pair the rows (columns) by the texts of\n"
    "                       their identifying columns (rows) instead of by position\n"
    "  --tolerance X        two numbers are equal when they differ by no more than X\n"
    "  --relative-tolerance X\n"
    "                       two numbers are equal when they differ by no more than X times\n"
    "                       the larger of the two; with both tolerances, either suffices\n"
    "  --ignore-case        letters are equal whatever their case (Latin, Greek, Cyrillic)\n"
    "  --ignore-spaces      each run of spaces, tabs and no-break spaces counts as one space\n"
    "  --formulas           cells are equal only when their formulas are equal too\n"
    "  --exact-spaces       texts keep their leading and trailing spaces, which are compared\n"
    "                       and shown, instead of being trimmed\n"
    "  --align              pair worksheets by name and find inserted and deleted rows,\n"
    "                       columns and worksheets instead of pairing them by position;\n"
    "                       rows or columns mode: align the table's columns (rows), and\n"
    "                       without --match key its rows (columns) by content\n"
    "  --compare LIST       whole workbooks: compare what they hold besides cell texts too:\n"
    "                       notes, names, hidden, merged, formats, macros (separated by\n"
    "                       commas) or all\n"
    "  --quiet              no progress line on standard error (drawn only on a terminal)\n"
    "  --format FORMAT      html (the default): the two documents into DIR; text: one line\n"
    "                       for each difference and a summary, coloured on a terminal unless\n"
    "                       NO_COLOR is set; csv: one record for each difference and the\n"
    "                       counts; json: the \"quillmere-diff\" document, version 1;\n"
    "                       xlsx: the review workbook, FILE2 with every difference marked\n"
    "                       and a first worksheet listing them (needs --output)\n"
    "  --output FILE        text, csv and json: write into FILE instead of the standard\n"
    "                       output; either gets the result only once it is complete\n"
    "  --password1 P        the password that opens FILE1 when it is encrypted\n"
    "  --password2 P        the same for FILE2\n"
    "  --password-file1 F   FILE1's password: the first line of the file F\n"
    "  --password-file2 F   the same for FILE2\n"
    "                       without these: QUILLMERE_PASSWORD1 and QUILLMERE_PASSWORD2, and\n"
    "                       on a terminal a prompt that does not echo\n"
    "Range mode without --sheet1 or --sheet2 compares the whole workbooks. Each option may be\n"
    "given once, and only where its mode uses it.\n"
    "\n"
    "\n"
    "With two folders, the workbooks of both trees are paired by their paths inside them and\n"
    "each pair is compared whole into its own folder in DIR, named after that path; DIR's\n"
    "index.htm lists every pair and every workbook found in one tree only. --jobs N compares\n"
    "N pairs at a time, 1 to 16 (default: the number of processors, at most 16). --tolerance,\n"
    "--relative-tolerance, --ignore-case, --ignore-spaces, --formulas, --exact-spaces, --align "
    "and --compare apply to\n"
    "every pair; the passwords of FILE1 serve DIR1's workbooks, those of FILE2 DIR2's, and a\n"
    "prompt asks once for the whole run.\n"
    "\n"
    "With --format, the stream holds every pair in turn, each headed by its path, and the\n"
    "pairs without a result; with --format xlsx, each differing pair's review workbook,\n"
    "review.xlsx (review.xlsm, .xltx or .xltm when FILE2 is one of those, marked), goes\n"
    "beside its documents and index.htm links it.\n"
    "\n"
    "Exit codes: 0 no differences, 1 differences found, 2 error (nothing written; with\n"
    "folders: a pair failed, and the others are still compared and listed).\n";

namespace {

constexpr std::string_view kOptions[] = {
    "--out",    "--sheet1",    "--sheet2",      "--mode",           "--range1",        "--range2",
    "--start",  "--end",       "--identifying", "--ignore",         "--match",         "--format",
    "--output", "--password1", "--password2",   "--password-file1", "--password-file2"};
constexpr std::string_view kKeyedOnly[] = {"--start", "--end", "--identifying", "--ignore",
                                           "--match"};

bool isOption(std::string_view name) {
  return std::find(std::begin(kOptions), std::end(kOptions), name) != std::end(kOptions);
}

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

// Digits alone name a position; anything else is a worksheet's name, and a name in single
// quotes is taken as it stands between them, a doubled quote standing for one, as the text
// output quotes names ('My Sheet', 'x''y'); so that a sheet named "2019" can be chosen.
bool readSheet(std::string_view text, std::optional<int>& position, std::string& name) {
  if (text.empty()) return false;
  if (text.size() >= 2 && text.front() == '\'' && text.back() == '\'') {
    name.clear();
    const std::string_view inner = text.substr(1, text.size() - 2);
    for (std::size_t i = 0; i < inner.size(); ++i) {
      name.push_back(inner[i]);
      if (inner[i] == '\'' && i + 1 < inner.size() && inner[i + 1] == '\'') ++i;
    }
    position = 1;  // settled once the workbook is open
    return !name.empty();
  }
  if (std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1) return false;
    position = value;
    return true;
  }
  name = text;
  position = 1;
  return true;
}

// Stores an option's value in its field; false when the value does not fit the option.
bool storeOption(std::string_view option, const std::string& value, CompareArguments& parsed,
                 std::optional<std::string>& start, std::optional<std::string>& end) {
  ComparisonRequest& request = parsed.request;
  if (option == "--sheet1") return readSheet(value, request.sheet1, parsed.sheet1Name);
  if (option == "--sheet2") return readSheet(value, request.sheet2, parsed.sheet2Name);
  if (option == "--mode") return readMode(value, request.mode);
  if (isPasswordOption(option)) {
    storePasswordOption(option, value, parsed.passwords);
    return true;
  }
  if (option == "--format") {
    parsed.reviewWorkbook = value == "xlsx";
    return parsed.reviewWorkbook || readScriptFormat(value, parsed.format);
  }
  if (option == "--output") {
    parsed.outputFile = value;
    return !value.empty();
  }
  if (option == "--out") {
    parsed.outputFolder = value;
    return !value.empty();
  }
  if (option == "--match") {
    request.options.matchKey = value == "key";
    return request.options.matchKey;
  }
  if (option == "--range1") {
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

const char* expectedValue(std::string_view option) {
  if (option == "--mode") return "expected range, rows or columns";
  if (option == "--out") return "expected a folder";
  if (option == "--match") return "expected key";
  if (option == "--format") return "expected html, text, csv, json or xlsx";
  if (option == "--output") return "expected a file";
  return "expected a worksheet position from 1 or a name";
}

// The first option given that the chosen mode leaves unused, or "" when there is none.
std::string_view unusedOption(Mode mode, const std::set<std::string, std::less<>>& given) {
  if (mode == Mode::Range) {
    for (std::string_view option : kKeyedOnly)
      if (given.contains(option)) return option;
  } else if (given.contains("--range2")) {
    return "--range2";
  }
  return {};
}

std::string_view modeName(Mode mode) {
  return mode == Mode::Range ? "range" : mode == Mode::Rows ? "rows" : "columns";
}

}  // namespace

std::string misplacedOption(std::string_view option) {
  ComparisonOptions ignored;
  if (option == "--quiet" || setComparisonSwitch(option, ignored))
    return std::string(option) + " is a switch and takes no value";
  if (option == "--jobs") return "--jobs is for comparing two folders, and a file is given";
  return {};
}

std::string outputMistake(const std::optional<ScriptFormat>& format, bool outGiven,
                          bool outputGiven) {
  if (!format && outputGiven)
    return "--output is for --format text, csv, json or xlsx; the documents go into the folder "
           "of --out";
  if (format && outGiven)
    return "--out is for the documents of --format html; the other formats go into the file of "
           "--output";
  return {};
}

std::string reviewOutputMistake(bool outGiven, bool outputGiven) {
  if (outGiven)
    return "--out is for the documents of --format html; the review workbook goes "
           "into the file of --output";
  if (!outputGiven) return "--format xlsx needs --output FILE";
  return {};
}

std::optional<CompareArguments> parseCompareArguments(const std::vector<std::string>& arguments,
                                                      std::ostream& err) {
  CompareArguments parsed;
  std::set<std::string, std::less<>> given;
  std::optional<std::string> start, end;  // stored once the mode is known
  std::vector<std::string> files;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (optionsEnded || argument == "-" || !argument.starts_with("-")) {
      files.push_back(argument);
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    // The comparison options are read where git-diff reads them too.
    const ComparisonOptionRead read = readComparisonOption(arguments, i, parsed.request.options,
                                                           given, "quillmere-cli compare: ", err);
    if (read == ComparisonOptionRead::Refused) return std::nullopt;
    if (read == ComparisonOptionRead::Taken) continue;
    if (argument == "--quiet") {
      if (!given.insert(argument).second) {
        err << "quillmere-cli compare: " << argument << " is given more than once\n";
        return std::nullopt;
      }
      parsed.quiet = true;
      continue;
    }
    const std::size_t equals = argument.find('=');
    const std::string option = argument.substr(0, equals);
    if (const std::string mistake = misplacedOption(option); !mistake.empty()) {
      err << "quillmere-cli compare: " << mistake << '\n';
      return std::nullopt;
    }
    if (!option.starts_with("--") || !isOption(option)) {
      err << "quillmere-cli compare: unknown option \"" << unknownOptionName(argument) << "\"\n"
          << kCompareUsage;
      return std::nullopt;
    }
    if (!given.insert(option).second) {
      err << "quillmere-cli compare: " << option << " is given more than once\n";
      return std::nullopt;
    }
    if (equals == std::string::npos && i + 1 >= arguments.size()) {
      err << "quillmere-cli compare: " << option << " needs a value\n";
      return std::nullopt;
    }
    const std::string value =
        equals == std::string::npos ? arguments[++i] : argument.substr(equals + 1);
    if (!storeOption(option, value, parsed, start, end)) {
      err << "quillmere-cli compare: " << option << " does not take \"" << value << "\"; "
          << expectedValue(option) << '\n';
      return std::nullopt;
    }
  }
  if (files.size() != 2) {
    err << "quillmere-cli compare: expected two files\n" << kCompareUsage;
    return std::nullopt;
  }
  if (parsed.request.mode != Mode::Range && !parsed.request.sheet1 && !parsed.request.sheet2) {
    err << "quillmere-cli compare: --mode " << modeName(parsed.request.mode)
        << " compares one worksheet of each file; add --sheet1 SHEET (and --sheet2 SHEET "
           "where FILE2's is another)\n";
    return std::nullopt;
  }
  if (const std::string_view unused = unusedOption(parsed.request.mode, given); !unused.empty()) {
    err << "quillmere-cli compare: " << unused << " is not used in "
        << modeName(parsed.request.mode) << " mode\n";
    return std::nullopt;
  }
  if (given.contains("--compare") &&
      (parsed.request.mode != Mode::Range || parsed.request.sheet1 || parsed.request.sheet2)) {
    err << "quillmere-cli compare: --compare is for whole workbooks; leave out --sheet1, "
           "--sheet2 and --mode\n";
    return std::nullopt;
  }
  if (const std::string mistake =
          parsed.reviewWorkbook
              ? reviewOutputMistake(given.contains("--out"), given.contains("--output"))
              : outputMistake(parsed.format, given.contains("--out"), given.contains("--output"));
      !mistake.empty()) {
    err << "quillmere-cli compare: " << mistake << '\n';
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
