#include "sheet/password_source.h"

namespace quill {

namespace {

std::string passwordMessage(PasswordProblem problem, const std::string& path, int fileNumber) {
  const std::string file = "File #" + std::to_string(fileNumber);
  switch (problem) {
    case PasswordProblem::Missing:
      return "\"" + path + "\" is a password-protected workbook, and no password was given for " +
             file;
    case PasswordProblem::Empty:
      return "\"" + path + "\" is a password-protected workbook, and the password given for " +
             file + " is empty";
    case PasswordProblem::Wrong:
      break;
  }
  return "\"" + path + "\" cannot be opened: the password for " + file + " is wrong";
}

}  // namespace

PasswordError::PasswordError(PasswordProblem problem, const std::string& path, int fileNumber)
    : WorkbookError(passwordMessage(problem, path, fileNumber)), problem_(problem) {}

}  // namespace quill
