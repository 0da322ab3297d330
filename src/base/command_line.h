#pragma once

#include <functional>
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

// Why the windows cannot open, or an empty text when they can: on a desktop that names its
// display in the environment (X11 or Wayland), a program started with no display set and
// no Qt platform chosen (QT_QPA_PLATFORM or "-platform") has nowhere to show a window, and
// Qt would abort. The environment is read through the function given.
std::string missingDisplay(const std::vector<std::string>& arguments,
                           const std::function<const char*(const char*)>& environment);

// The text of "quillmere --help".
std::string startUsage();

// The text of "quillmere --version".
std::string versionText();

}  // namespace quill
