#pragma once

#include <array>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "sheet/password_source.h"

namespace quill::cli {

// The passwords the command line names for File #1 and File #2: given as they are
// (--password1), or as the first line of a file (--password-file1).
struct PasswordArguments {
  std::array<std::optional<std::string>, 2> passwords;
  std::array<std::optional<std::string>, 2> passwordFiles;
};

// Whether the option is one of --password1, --password2, --password-file1, --password-file2.
bool isPasswordOption(std::string_view name);
// Stores a password option's value; any value is taken, so that no message ever repeats one.
void storePasswordOption(std::string_view name, const std::string& value,
                         PasswordArguments& arguments);

// How a prompt asks for a password without echo; the tests replace it.
class PasswordPrompt {
 public:
  virtual ~PasswordPrompt() = default;
  // The line typed in answer to the question, or nothing when no terminal can be asked.
  virtual std::optional<std::string> ask(const std::string& question) = 0;
};

// The prompt on the controlling terminal, with echo off while the password is typed; asks
// only when standard input is a terminal.
PasswordPrompt& terminalPrompt();

// The passwords of a command-line run, in this order: the options, the password files, the
// environment (QUILLMERE_PASSWORD1, QUILLMERE_PASSWORD2), then the prompt. A prompted
// password is asked once and serves the rest of the run: for its file number, or for both
// when sharedPrompt is set (folder runs take one password). A wrong password is not asked
// again. Safe to use from several threads.
class CommandLinePasswords final : public PasswordSource {
 public:
  CommandLinePasswords(PasswordArguments arguments, PasswordPrompt* prompt,
                       bool sharedPrompt = false);

  std::optional<std::string> password(int fileNumber, const std::string& path,
                                      int attempt) override;

 private:
  std::optional<std::string> given(int fileNumber) const;

  PasswordArguments arguments_;
  PasswordPrompt* prompt_;
  bool sharedPrompt_;
  std::mutex mutex_;
  std::array<std::optional<std::string>, 2> prompted_;
  std::array<bool, 2> asked_{};
};

}  // namespace quill::cli
