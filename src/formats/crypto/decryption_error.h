#pragma once

#include <stdexcept>
#include <string>

namespace quill::crypto {

// Why an encrypted file could not be opened.
enum class DecryptionFailure {
  WrongPassword,  // the password given does not open it
  TooCostly,      // it asks for more key-derivation rounds than its writers use
  Unsupported,    // an encryption this program does not read
  Damaged,        // its encryption headers or data do not hold together
};

// Thrown by the decryption of a file's encrypted data; the message is the reason alone,
// without the file's name, and never holds the password.
class DecryptionError : public std::runtime_error {
 public:
  DecryptionError(DecryptionFailure failure, const std::string& reason)
      : std::runtime_error(reason), failure_(failure) {}
  DecryptionFailure failure() const { return failure_; }

 private:
  DecryptionFailure failure_;
};

}  // namespace quill::crypto
