#include "cli/folder_options.h"

#include <algorithm>
#include <charconv>
#include <set>
#include <thread>

#include "cli/commands.h"
#include "cli/compare_options.h"
#include "cli/comparison_switches.h"
#include "cli/password_options.h"
#include "cli/script_output.h"

namespace quill::cli {

namespace fs = std::filesystem;

namespace {

constexpr const char* kPrefix = "quillmere-cli compare: ";

// Each pair compared at once holds a staging folder and its documents' part files, all of
// which SIGINT and SIGTERM must be able to remove (see SignalCleanup's slots).
constexpr unsigned kMostJobs = 16;

// Options of the file comparison that take a value, so that their values are not taken
// for folders when telling which comparison the arguments ask for.
bool takesValue(std::string_view option) {
  for (std::string_view name :
       {"--out", "--jobs", "--sheet1", "--sheet2", "--mode", "--range1", "--range2", "--start",
        "--end", "--identifying", "--ignore", "--match", "--tolerance", "--relative-tolerance",
        "--compare", "--format", "--output"})
    if (option == name) return true;
  return isPasswordOption(option);
}

std::vector<std::string> operands(const std::vector<std::string>& arguments) {
  std::vector<std::string> found;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (optionsEnded || argument == "-" || !argument.starts_with("-")) {
      found.push_back(argument);
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (argument.find('=') == std::string::npos && takesValue(argument)) {
      ++i;
    }
  }
  return found;
}

bool isFolder(const std::string& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

std::optional<unsigned> readJobs(const std::string& text) {
  unsigned value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 1 || value > kMostJobs)
    return std::nullopt;
  return value;
}

}  // namespace

bool namesTwoFolders(const std::vector<std::string>& arguments) {
  const std::vector<std::string> found = operands(arguments);
  return found.size() == 2 && isFolder(found[0]) && isFolder(found[1]);
}

std::optional<FolderArguments> parseFolderArguments(const std::vector<std::string>& arguments,
                                                    std::ostream& err) {
  FolderArguments parsed;
  std::set<std::string, std::less<>> given;
  std::vector<std::string> folders;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (optionsEnded || argument == "-" || !argument.starts_with("-")) {
      folders.push_back(argument);
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    const std::size_t equals = argument.find('=');
    const std::string option = argument.substr(0, equals);
    if (option == "--match") {
      err << kPrefix << "--match is not used with folders: their workbooks are compared whole\n";
      return std::nullopt;
    }
    if (ComparisonOptions ignored; equals != std::string::npos &&
                                   (option == "--quiet" || setComparisonSwitch(option, ignored))) {
      err << kPrefix << option << " is a switch and takes no value\n";
      return std::nullopt;
    }
    const bool isSwitch = setComparisonSwitch(argument, parsed.options);
    if (option != "--out" && option != "--jobs" && option != "--format" && option != "--output" &&
        argument != "--quiet" && !isSwitch && !isToleranceOption(option) && option != "--compare" &&
        !isPasswordOption(option)) {
      err << kPrefix << "\"" << unknownOptionName(argument)
          << "\" is not an option of a folder comparison\n";
      return std::nullopt;
    }
    if (!given.insert(option).second) {
      err << kPrefix << option << " is given more than once\n";
      return std::nullopt;
    }
    if (option == "--quiet") parsed.quiet = true;
    if (option == "--quiet" || isSwitch) continue;
    if (equals == std::string::npos && i + 1 >= arguments.size()) {
      err << kPrefix << option << " needs a value\n";
      return std::nullopt;
    }
    const std::string value =
        equals == std::string::npos ? arguments[++i] : argument.substr(equals + 1);
    if (isPasswordOption(option)) {
      storePasswordOption(option, value, parsed.passwords);
    } else if (option == "--out") {
      if (value.empty()) {
        err << kPrefix << "--out does not take \"\"; expected a folder\n";
        return std::nullopt;
      }
      parsed.outputFolder = value;
    } else if (isToleranceOption(option)) {
      if (!storeTolerance(option, value, parsed.options)) {
        err << kPrefix << option << " does not take \"" << value << "\"; " << kToleranceExpected
            << "\n";
        return std::nullopt;
      }
    } else if (option == "--compare") {
      if (std::string unknown; !storeContentsToCompare(value, parsed.options, unknown)) {
        err << kPrefix << "--compare does not take \"" << unknown << "\"; " << kContentsExpected
            << "\n";
        return std::nullopt;
      }
    } else if (option == "--format") {
      parsed.reviewWorkbooks = value == "xlsx";
      if (!parsed.reviewWorkbooks && !readScriptFormat(value, parsed.format)) {
        err << kPrefix << "--format does not take \"" << value
            << "\"; expected html, text, csv, json or xlsx\n";
        return std::nullopt;
      }
    } else if (option == "--output") {
      if (value.empty()) {
        err << kPrefix << "--output does not take \"\"; expected a file\n";
        return std::nullopt;
      }
      parsed.outputFile = value;
    } else if (auto jobs = readJobs(value)) {
      parsed.jobs = *jobs;
    } else {
      err << kPrefix << "--jobs does not take \"" << value << "\"; expected a number from 1 to "
          << kMostJobs << "\n";
      return std::nullopt;
    }
  }
  if (folders.size() != 2) {
    err << kPrefix << "expected two folders\n";
    return std::nullopt;
  }
  if (const std::string mistake =
          parsed.reviewWorkbooks && given.contains("--output")
              ? "--output is not used with folders and --format xlsx: each review workbook goes "
                "beside its pair's documents in the folder of --out"
              : outputMistake(parsed.format, given.contains("--out"), given.contains("--output"));
      !mistake.empty()) {
    err << kPrefix << mistake << '\n';
    return std::nullopt;
  }
  parsed.first = folders[0];
  parsed.second = folders[1];
  if (parsed.jobs == 0)
    parsed.jobs = std::clamp(std::thread::hardware_concurrency(), 1u, kMostJobs);
  return parsed;
}

}  // namespace quill::cli
