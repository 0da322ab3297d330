#include "formats/ods/ods_reader.h"

#include "formats/ods/content_handler.h"
#include "formats/package/plain_xml_scanner.h"
#include "formats/package/xml_stream.h"
#include "formats/package/zip_archive.h"

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

// Reads content.xml into a fresh workbook with the parser the arguments after its handler
// make.
template <class Parser, class... Arguments>
std::unique_ptr<StoredWorkbook> readContent(const ZipArchive& package, const ReadOptions& options,
                                            const Arguments&... arguments) {
  auto workbook = std::make_unique<StoredWorkbook>(options.keepSpaces);
  ods::ContentHandler handler(*workbook, options.formulas);
  Parser parser(handler, arguments...);
  package.read("content.xml", [&](std::string_view chunk) {
    try {
      parser.feed(chunk);
    } catch (const WorkbookError& error) {
      failWith(package.path(), error.what());
    }
  });
  try {
    parser.finish();
  } catch (const WorkbookError& error) {
    failWith(package.path(), error.what());
  }
  workbook->finish();
  return workbook;
}

}  // namespace

std::unique_ptr<StoredWorkbook> readOdsWorkbook(const std::string& path,
                                                const ReadOptions& options) {
  ZipArchive package(path, options.stop);
  if (isEncrypted(package))
    throw WorkbookError("\"" + path +
                        "\" is a password-protected workbook, which cannot be read: remove the "
                        "password and save it again");
  // Writers save content.xml as plain XML, which the plain scanner reads several times
  // faster; a part beyond it is read again from its start by the general parser.
  try {
    return readContent<PlainXmlScanner>(package, options);
  } catch (const PlainXmlScanner::OutsidePlainXml&) {
    return readContent<XmlStream>(package, options, std::string("content.xml"));
  }
}

}  // namespace quill
