#include "formats/encrypted_workbook.h"

#include "formats/crypto/package_decryption.h"
#include "formats/crypto/password_attempts.h"
#include "formats/format_probe.h"
#include "formats/macros/macro_modules.h"
#include "formats/package/compound_streams.h"
#include "formats/package/zip_archive.h"
#include "formats/xlsb/xlsb_reader.h"
#include "formats/xlsx/xlsx_reader.h"

namespace quill {

namespace {

constexpr std::uint64_t kMaxEncryptionInfo = std::uint64_t(1) << 20;

// Reads the workbook a decrypted package holds.
std::unique_ptr<StoredWorkbook> readDecryptedPackage(const ZipArchive& zip,
                                                     const ReadOptions& options) {
  switch (probePackageFormat(zip)) {
    case WorkbookFormat::Xlsx:
      return readXlsxPackage(zip, options);
    case WorkbookFormat::Xlsb:
      return readXlsbPackage(zip, options);
    default:
      throw WorkbookError("\"" + zip.path() +
                          "\" cannot be read: its encrypted package holds no Excel workbook");
  }
}

}  // namespace

std::string decryptedPackage(const std::string& path, const ReadOptions& options) {
  const CompoundStreams streams(path, options.stop);
  const std::string info = streams.read("EncryptionInfo", kMaxEncryptionInfo);
  crypto::PackageEncryption encryption;
  crypto::namingFile(path, [&] {
    encryption = crypto::readEncryptionInfo(info);
    return std::string();
  });
  const std::string key = crypto::openWithPassword(path, options, [&](const std::string& password) {
    return crypto::packageKey(encryption, password);
  });
  return crypto::namingFile(path, [&] {
    return crypto::decryptPackage(encryption, key,
                                  streams.read("EncryptedPackage", ZipArchive::kMaxPartSize + 8),
                                  options.stop);
  });
}

std::unique_ptr<StoredWorkbook> readEncryptedPackageWorkbook(const std::string& path,
                                                             const ReadOptions& options) {
  const ZipArchive zip(path, decryptedPackage(path, options), options.stop);
  std::unique_ptr<StoredWorkbook> workbook = readDecryptedPackage(zip, options);
  // Read here from the package already decrypted, so that the password is asked for once.
  if (options.contents.macros)
    fillMacroModules(workbook->contents(), [&] { return readMacroModules(zip, options); });
  return workbook;
}

}  // namespace quill
