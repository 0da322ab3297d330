#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "formats/crypto/crypto_library.h"

namespace quill::crypto {

// The most PBKDF2 rounds an encrypted OpenDocument part may ask for: what the applications
// that write them use (100,000 now, 1,024 in the older form). A file asking for more is
// refused, so that a hostile one cannot keep the reader deriving keys for hours.
inline constexpr std::uint64_t kMaxOdfIterations = 100000;

// How one part of an OpenDocument package is encrypted, as its manifest entry states:
// the part was deflated, then encrypted with a key PBKDF2 (HMAC-SHA-1) derives from the
// hash of the password (the start key).
struct OdfPartEncryption {
  Cipher cipher = Cipher::Aes;  // Aes: CBC with padding; Blowfish: CFB
  std::string iv;
  HashAlgorithm startKeyHash = HashAlgorithm::Sha1;
  std::string salt;
  std::uint32_t iterations = 0;
  std::size_t keySize = 16;  // bytes
  HashAlgorithm checksumHash = HashAlgorithm::Sha1;
  bool checksumOfFirstKilobyte = true;  // else of the whole deflated part
  std::string checksum;
  std::optional<std::uint64_t> size;  // of the inflated part
};

// The encrypted parts of a package by their paths, read from META-INF/manifest.xml. Throws
// DecryptionError: Damaged for an entry that does not hold together, Unsupported for an
// encryption not read, TooCostly for more rounds than kMaxOdfIterations.
std::map<std::string, OdfPartEncryption> readOdfManifest(std::string_view xml);

}  // namespace quill::crypto
