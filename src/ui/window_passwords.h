#pragma once

#include <map>
#include <mutex>
#include <string>

#include "sheet/password_source.h"

namespace quill {

class ShellDialogs;

// The passwords of the windows: asked for in a box that hides them, on the windows' thread
// whichever thread reads the file, and kept in memory only while the program runs, so that
// each file is asked for once. After a wrong password the box asks again, saying so, until
// the user cancels. Passwords never reach the settings, documents or messages.
class WindowPasswords final : public PasswordSource {
 public:
  explicit WindowPasswords(ShellDialogs& dialogs) : dialogs_(dialogs) {}

  std::optional<std::string> password(int fileNumber, const std::string& path,
                                      int attempt) override;

 private:
  std::optional<std::string> ask(int fileNumber, const std::string& path, int attempt);

  ShellDialogs& dialogs_;
  std::mutex mutex_;  // one box at a time, and the known passwords
  std::map<std::string, std::string> known_;
};

}  // namespace quill
