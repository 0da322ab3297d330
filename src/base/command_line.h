#pragma once

#include <string>
#include <vector>

namespace quill {

// What the window program's command line asks for.
struct StartRequest {
  enum class Action { OpenWindow, PrintHelp, PrintVersion, Fail };
  Action action = Action::OpenWindow;
  std::vector<std::string> paths;  // none, one or two workbooks, made absolute
  std::string error;               // why the command line was refused (Action::Fail)
};

// Reads the arguments after the program name. "--help" and "--version" win wherever they
// stand before "--"; "--" ends the options, so a file may start with a dash; more than two
// files or an unknown option is refused.
StartRequest parseStartArguments(const std::vector<std::string>& arguments);

// Whether the arguments ask for help or the version, which is answered before any window
// machinery starts.
bool asksForTextOnly(const std::vector<std::string>& arguments);

// The text of "quillmere --help".
std::string startUsage();

// The text of "quillmere --version".
std::string versionText();

}  // namespace quill
