#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "formats/crypto/crypto_library.h"

namespace quill::test {

// How the test encryptor protects the parts of an OpenDocument package.
struct OdfEncryptorSettings {
  crypto::Cipher cipher = crypto::Cipher::Aes;  // Blowfish: the older form, with SHA-1
  crypto::HashAlgorithm startKeyHash = crypto::HashAlgorithm::Sha256;
  bool checksumOfFirstKilobyte = true;
  std::uint32_t iterations = 1000;
  // Written into the manifest in place of what was used, for hostile files.
  std::optional<std::uint64_t> declaredIterations{};
  std::optional<std::uint64_t> declaredContentSize{};
  // Changes the manifest and content.xml's encrypted bytes before they are written.
  std::function<void(std::string& manifest, std::string& content)> tamper{};
};

// Writes the parts of a plain .ods package, each deflated and then encrypted with the
// password as the manifest it writes states, with the cryptography library the reader uses;
// a test-only writer for fixtures.
void writeEncryptedOds(const std::filesystem::path& target, const std::filesystem::path& plain,
                       const std::string& password, const OdfEncryptorSettings& settings = {});

}  // namespace quill::test
