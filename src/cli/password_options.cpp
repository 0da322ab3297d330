#include "cli/password_options.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "sheet/workbook.h"

namespace quill::cli {

namespace {

// Reads a line from the terminal with its echo off, restoring the terminal afterwards.
class TerminalPrompt final : public PasswordPrompt {
 public:
  std::optional<std::string> ask(const std::string& question) override {
    if (isatty(STDIN_FILENO) == 0) return std::nullopt;
    const int tty = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (tty < 0) return std::nullopt;
    termios saved{};
    const bool canHide = tcgetattr(tty, &saved) == 0;
    if (canHide) {
      termios silent = saved;
      silent.c_lflag &= ~tcflag_t(ECHO);
      silent.c_lflag |= ECHONL;
      tcsetattr(tty, TCSAFLUSH, &silent);
    }
    (void)!write(tty, question.data(), question.size());
    std::string line;
    char c = 0;
    bool answered = false;
    while (read(tty, &c, 1) == 1) {
      answered = true;
      if (c == '\n') break;
      line.push_back(c);
    }
    if (canHide) tcsetattr(tty, TCSAFLUSH, &saved);
    close(tty);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!answered) return std::nullopt;
    return line;
  }
};

std::string firstLineOf(const std::string& path, int fileNumber) {
  std::ifstream in(path, std::ios::binary);
  std::string line;
  if (!in || (!std::getline(in, line) && !in.eof()))
    throw WorkbookError("the password file \"" + path + "\" for File #" +
                        std::to_string(fileNumber) + " cannot be read");
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

}  // namespace

bool isPasswordOption(std::string_view name) {
  return name == "--password1" || name == "--password2" || name == "--password-file1" ||
         name == "--password-file2";
}

void storePasswordOption(std::string_view name, const std::string& value,
                         PasswordArguments& arguments) {
  const std::size_t index = name.back() == '1' ? 0 : 1;
  if (name.starts_with("--password-file"))
    arguments.passwordFiles[index] = value;
  else
    arguments.passwords[index] = value;
}

PasswordPrompt& terminalPrompt() {
  static TerminalPrompt prompt;
  return prompt;
}

CommandLinePasswords::CommandLinePasswords(PasswordArguments arguments, PasswordPrompt* prompt,
                                           bool sharedPrompt)
    : arguments_(std::move(arguments)), prompt_(prompt), sharedPrompt_(sharedPrompt) {}

std::optional<std::string> CommandLinePasswords::given(int fileNumber) const {
  const std::size_t index = fileNumber == 2 ? 1 : 0;
  if (arguments_.passwords[index]) return arguments_.passwords[index];
  if (arguments_.passwordFiles[index])
    return firstLineOf(*arguments_.passwordFiles[index], fileNumber);
  const char* variable = std::getenv(index == 0 ? "QUILLMERE_PASSWORD1" : "QUILLMERE_PASSWORD2");
  if (variable != nullptr) return std::string(variable);
  return std::nullopt;
}

std::optional<std::string> CommandLinePasswords::password(int fileNumber, const std::string& path,
                                                          int attempt) {
  if (attempt > 1) return std::nullopt;
  if (auto password = given(fileNumber)) return password;
  if (prompt_ == nullptr) return std::nullopt;
  const std::size_t index = sharedPrompt_ || fileNumber != 2 ? 0 : 1;
  std::lock_guard lock(mutex_);
  if (!asked_[index]) {
    asked_[index] = true;
    prompted_[index] = prompt_->ask(
        sharedPrompt_ ? "Password for the encrypted workbooks (first: " + path + "): "
                      : "Password for File #" + std::to_string(fileNumber) + " (" + path + "): ");
  }
  return prompted_[index];
}

}  // namespace quill::cli
