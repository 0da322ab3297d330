// Feeds arbitrary bytes to the decryption of encrypted workbooks. An input that begins as a
// zip package does is read as an OpenDocument spreadsheet held in memory, with the password
// "1234" of the corpus's encrypted .ods; any other input is an encrypted office package: its
// first two bytes give the length of the EncryptionInfo stream that follows them, the rest
// is the EncryptedPackage stream, opened with the password "123". Any outcome but a crash, a
// hang, a leak or an exception other than DecryptionError or WorkbookError is a finding.
#include <cstdint>
#include <string>
#include <string_view>

#include "formats/crypto/decryption_error.h"
#include "formats/crypto/package_decryption.h"
#include "formats/ods/ods_reader.h"
#include "formats/package/zip_archive.h"
#include "sheet/password_source.h"

namespace {

// Gives the corpus's .ods password once.
class OdsPassword final : public quill::PasswordSource {
 public:
  std::optional<std::string> password(int, const std::string&, int attempt) override {
    if (attempt > 1) return std::nullopt;
    return "1234";
  }
};

void readOdsPackage(std::string_view bytes) {
  try {
    const quill::ZipArchive package("fuzz.ods", std::string(bytes));
    OdsPassword password;
    (void)quill::readOdsPackage(package, quill::ReadOptions{.passwords = &password});
  } catch (const quill::WorkbookError&) {
  }
}

void readOfficePackage(std::string_view bytes) {
  const std::size_t infoSize =
      std::size_t(std::uint8_t(bytes[0])) | std::size_t(std::uint8_t(bytes[1])) << 8;
  bytes.remove_prefix(2);
  const std::string_view info = bytes.substr(0, infoSize);
  const std::string_view package = bytes.substr(std::min(infoSize, bytes.size()));
  try {
    const quill::crypto::PackageEncryption encryption = quill::crypto::readEncryptionInfo(info);
    const std::string key = quill::crypto::packageKey(encryption, "123");
    (void)quill::crypto::decryptPackage(encryption, key, std::string(package));
  } catch (const quill::crypto::DecryptionError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (bytes.starts_with("PK\x03\x04"))
    readOdsPackage(bytes);
  else
    readOfficePackage(bytes);
  return 0;
}
