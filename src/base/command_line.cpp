#include "base/command_line.h"

#include <filesystem>

namespace quill {

namespace {

constexpr const char* kUsage =
    "Usage: quillmere [OPTION]... [FILE1 [FILE2]]\n"
    "Compares two spreadsheet workbooks (.xlsx, .xlsm, .xltx, .xltm, .xlsb, .xls, .ods, .csv)\n"
    "in a window and shows their differences as a list and as a marked grid.\n"
    "\n"
    "With two files, both paths are filled and the comparison starts at once; with one,\n"
    "the first path is filled; without files, the paths of the last run come back.\n"
    "\n"
    "Options:\n"
    "  -h, --help     show this help and exit\n"
    "  -v, --version  show the version and exit\n"
    "  --             treat every following argument as a file\n"
    "\n"
    "Workbooks in a git repository are compared with: git difftool -y -x quillmere\n"
    "\n"
    "Without windows, quillmere-cli runs the same comparisons.\n";

bool isHelp(const std::string& argument) {
  return argument == "--help" || argument == "-h";
}

bool isVersion(const std::string& argument) {
  return argument == "--version" || argument == "-v";
}

std::string absolutePath(const std::string& path) {
  std::error_code failed;
  const std::filesystem::path absolute = std::filesystem::absolute(path, failed);
  return failed ? path : absolute.lexically_normal().string();
}

}  // namespace

bool asksForTextOnly(const std::vector<std::string>& arguments) {
  for (const std::string& argument : arguments) {
    if (argument == "--") return false;
    if (isHelp(argument) || isVersion(argument)) return true;
  }
  return false;
}

StartRequest parseStartArguments(const std::vector<std::string>& arguments) {
  StartRequest request;
  bool optionsEnded = false;
  for (const std::string& argument : arguments) {
    if (!optionsEnded && argument == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && isHelp(argument)) {
      return {StartRequest::Action::PrintHelp, {}, {}};
    } else if (!optionsEnded && isVersion(argument)) {
      return {StartRequest::Action::PrintVersion, {}, {}};
    } else if (!optionsEnded && argument.size() > 1 && argument.front() == '-') {
      request.action = StartRequest::Action::Fail;
      if (request.error.empty()) request.error = "unknown option \"" + argument + "\"";
    } else {
      request.paths.push_back(absolutePath(argument));
    }
  }
  if (request.action == StartRequest::Action::OpenWindow && request.paths.size() > 2) {
    request.action = StartRequest::Action::Fail;
    request.error = "at most two files can be compared, " + std::to_string(request.paths.size()) +
                    " were given";
  }
  if (request.action == StartRequest::Action::Fail) request.paths.clear();
  return request;
}

std::string missingDisplay(const std::vector<std::string>& arguments,
                           const std::function<const char*(const char*)>& environment) {
#if defined(__unix__) && !defined(__APPLE__)
  const auto set = [&](const char* name) {
    const char* value = environment(name);
    return value != nullptr && *value != '\0';
  };
  if (set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM")) return {};
  for (const std::string& argument : arguments) {
    if (argument == "--") break;
    if (argument == "-platform" || argument == "--platform") return {};
  }
  return "no display to show the windows on (neither DISPLAY nor WAYLAND_DISPLAY is set)";
#else
  (void)arguments;
  (void)environment;
  return {};
#endif
}

std::string startUsage() {
  return kUsage;
}

std::string versionText() {
  return std::string("quillmere ") + QUILLMERE_VERSION + "\n";
}

}  // namespace quill
