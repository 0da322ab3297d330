// Feeds arbitrary bytes to the decryption of an encrypted office package: the first two
// bytes give the length of the EncryptionInfo stream that follows them, the rest is the
// EncryptedPackage stream, opened with the password "123". Any outcome but a crash, a hang,
// a leak or an exception other than DecryptionError is a finding.
#include <cstdint>
#include <string>
#include <string_view>

#include "formats/crypto/decryption_error.h"
#include "formats/crypto/package_decryption.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::size_t infoSize = std::size_t(data[0]) | std::size_t(data[1]) << 8;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 2, size - 2);
  const std::string_view info = bytes.substr(0, infoSize);
  const std::string_view package = bytes.substr(std::min(infoSize, bytes.size()));
  try {
    const quill::crypto::PackageEncryption encryption = quill::crypto::readEncryptionInfo(info);
    const std::string key = quill::crypto::packageKey(encryption, "123");
    (void)quill::crypto::decryptPackage(encryption, key, std::string(package));
  } catch (const quill::crypto::DecryptionError&) {
  }
  return 0;
}
