#pragma once

#include <functional>
#include <string>

#include "sheet/read_options.h"

namespace quill::crypto {

// Asks the options' password source for the password of an encrypted file until one opens
// it, and gives what open returned for it. open throws DecryptionError (WrongPassword) for
// a password that does not open the file; its other DecryptionErrors become WorkbookErrors
// naming the file. Throws PasswordError when no password is given,
// the one given is empty, or the source gives up after a wrong one.
std::string openWithPassword(const std::string& path, const ReadOptions& options,
                             const std::function<std::string(const std::string&)>& open);

// Runs a step of the decryption of a file and turns its DecryptionError into a
// WorkbookError naming the file.
std::string namingFile(const std::string& path, const std::function<std::string()>& step);

}  // namespace quill::crypto
