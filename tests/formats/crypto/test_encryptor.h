#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "formats/crypto/crypto_library.h"

namespace quill::test {

// How the test encryptor protects a package.
struct EncryptorSettings {
  bool agile = true;
  crypto::HashAlgorithm hash = crypto::HashAlgorithm::Sha512;  // agile only
  std::size_t keyBytes = 32;                                   // 16 for standard encryption
  std::uint32_t spinCount = 100000;                            // agile only
  // Written into the file in place of the spin count used, for hostile files.
  std::optional<std::uint64_t> declaredSpinCount{};
  // Changes the EncryptionInfo and EncryptedPackage streams before they are written.
  std::function<void(std::string& info, std::string& package)> tamper{};
};

// Writes a zip package as a password-encrypted office file (a compound file holding its
// EncryptionInfo and EncryptedPackage streams), with the cryptography library the readers
// use; a test-only writer for fixtures that the independent decryptor checks.
void writeEncryptedPackage(const std::filesystem::path& target, const std::string& package,
                           const std::string& password, const EncryptorSettings& settings = {});

// Writes a compound file holding the named streams.
void writeCompoundFile(const std::filesystem::path& target,
                       const std::vector<std::pair<std::string, std::string>>& streams);

// The base64 text of bytes, as encryption XML holds them.
std::string base64(std::string_view bytes);

// The bytes of a file.
std::string fileBytes(const std::filesystem::path& path);

}  // namespace quill::test
