#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "formats/crypto/crypto_library.h"

namespace quill::crypto {

// The most key-derivation rounds a password-encrypted office package may ask for: what
// the applications that write them use. A file asking for more is refused, so that a hostile
// one cannot keep the reader hashing for hours.
inline constexpr std::uint32_t kMaxSpinCount = 100000;

// The key derivation and cipher of standard encryption (AES with SHA-1, 50,000 rounds).
struct StandardEncryption {
  std::size_t keySize = 16;  // bytes
  std::string salt;
  std::string encryptedVerifier;
  std::uint32_t verifierHashSize = 20;
  std::string encryptedVerifierHash;
};

// A cipher, hash and salt as the agile encryption's XML describes them.
struct AgileParameters {
  std::size_t blockSize = 16;
  std::size_t keySize = 32;  // bytes
  std::size_t hashSize = 64;
  Chaining chaining = Chaining::Cbc;
  HashAlgorithm hash = HashAlgorithm::Sha512;
  std::string salt;
};

// Agile encryption: the package's key, wrapped under a key derived from the password.
struct AgileEncryption {
  AgileParameters keyData;
  std::string encryptedHmacKey;
  std::string encryptedHmacValue;
  AgileParameters passwordKey;
  std::uint32_t spinCount = 0;
  std::string encryptedVerifierHashInput;
  std::string encryptedVerifierHashValue;
  std::string encryptedKeyValue;
};

using PackageEncryption = std::variant<StandardEncryption, AgileEncryption>;

// Reads the EncryptionInfo stream of an encrypted office package. Throws DecryptionError
// (Damaged, Unsupported or TooCostly) for what cannot be used.
PackageEncryption readEncryptionInfo(std::string_view stream);

// Decodes base64 text as the encryption XML holds it; throws DecryptionError (Damaged).
std::string decodeBase64(std::string_view text);

}  // namespace quill::crypto
