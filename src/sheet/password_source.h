#pragma once

#include <optional>
#include <string>

#include "sheet/workbook.h"

namespace quill {

// Gives the password of an encrypted file when a reader meets one: from the command line,
// a prompt or a box in the windows. Passwords are never kept by the readers.
class PasswordSource {
 public:
  virtual ~PasswordSource() = default;
  // The password for File #fileNumber (1 or 2) at path, or nothing when none is given.
  // attempt counts from 1; a later one follows a wrong password, and a source that cannot
  // ask again returns nothing then.
  virtual std::optional<std::string> password(int fileNumber, const std::string& path,
                                              int attempt) = 0;
};

// Why a password did not open a file.
enum class PasswordProblem { Missing, Empty, Wrong };

// An encrypted file that its password did not open; the message names the file and which
// of the pair it is, never the password.
class PasswordError : public WorkbookError {
 public:
  PasswordError(PasswordProblem problem, const std::string& path, int fileNumber);
  PasswordProblem problem() const { return problem_; }

 private:
  PasswordProblem problem_;
};

}  // namespace quill
