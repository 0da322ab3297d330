#include "formats/crypto/password_attempts.h"

#include "formats/crypto/decryption_error.h"
#include "sheet/password_source.h"

namespace quill::crypto {

std::string openWithPassword(const std::string& path, const ReadOptions& options,
                             const std::function<std::string(const std::string&)>& open) {
  for (int attempt = 1;; ++attempt) {
    std::optional<std::string> password;
    if (options.passwords != nullptr)
      password = options.passwords->password(options.fileNumber, path, attempt);
    if (!password)
      throw PasswordError(attempt == 1 ? PasswordProblem::Missing : PasswordProblem::Wrong, path,
                          options.fileNumber);
    if (password->empty()) throw PasswordError(PasswordProblem::Empty, path, options.fileNumber);
    try {
      return open(*password);
    } catch (const DecryptionError& error) {
      if (error.failure() != DecryptionFailure::WrongPassword)
        throw WorkbookError("\"" + path + "\" cannot be read: " + error.what());
    }
  }
}

std::string namingFile(const std::string& path, const std::function<std::string()>& step) {
  try {
    return step();
  } catch (const DecryptionError& error) {
    throw WorkbookError("\"" + path + "\" cannot be read: " + error.what());
  }
}

}  // namespace quill::crypto
