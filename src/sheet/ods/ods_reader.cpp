#include "sheet/ods/ods_reader.h"

#include "sheet/ods/content_handler.h"
#include "sheet/xml_stream.h"
#include "sheet/zip_archive.h"

namespace quill {

namespace {

constexpr std::uint64_t kMaxManifestSize = std::uint64_t(1) << 24;

// A package saved with a password lists encryption data for its parts in the manifest.
bool isEncrypted(const ZipArchive& package) {
  if (!package.contains("META-INF/manifest.xml")) return false;
  return package.readAll("META-INF/manifest.xml", kMaxManifestSize).find("encryption-data") !=
         std::string::npos;
}

[[noreturn]] void failWith(const std::string& path, const std::string& reason) {
  throw WorkbookError("\"" + path + "\" cannot be read: " + reason);
}

}  // namespace

std::unique_ptr<StoredWorkbook> readOdsWorkbook(const std::string& path,
                                                const ReadOptions& options) {
  ZipArchive package(path, options.stop);
  if (isEncrypted(package))
    throw WorkbookError("\"" + path +
                        "\" is a password-protected workbook, which cannot be read: remove the "
                        "password and save it again");
  auto workbook = std::make_unique<StoredWorkbook>();
  ods::ContentHandler handler(*workbook, options.formulas);
  XmlStream stream(handler, "content.xml");
  package.read("content.xml", [&](std::string_view chunk) {
    try {
      stream.feed(chunk);
    } catch (const WorkbookError& error) {
      failWith(path, error.what());
    }
  });
  try {
    stream.finish();
  } catch (const WorkbookError& error) {
    failWith(path, error.what());
  }
  workbook->finish();
  return workbook;
}

}  // namespace quill
