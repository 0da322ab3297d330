#include "formats/ods/ods_reader.h"

#include <optional>

#include "formats/ods/content_handler.h"
#include "formats/ods/ods_styles.h"
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

// Passes the events of styles.xml to the document's styles.
class StylesPartHandler final : public XmlHandler {
 public:
  explicit StylesPartHandler(ods::OdsStyles& styles) : styles_(styles) {}
  void startElement(std::string_view name, const XmlAttributes& attributes) override {
    styles_.startElement(name, attributes);
  }
  void endElement(std::string_view name) override { styles_.endElement(name); }
  void characters(std::string_view text) override { styles_.characters(text); }

 private:
  ods::OdsStyles& styles_;
};

// The common and automatic styles of styles.xml, which cell styles take as their parents.
void readStylesPart(const ZipArchive& package, ods::OdsStyles& styles) {
  if (!package.contains("styles.xml")) return;
  StylesPartHandler handler(styles);
  const std::string description = "\"" + package.path() + "\" cannot be read";
  XmlStream stream(handler, description + ": the part \"styles.xml\"");
  try {
    package.read("styles.xml", [&](std::string_view chunk) { stream.feed(chunk); });
    stream.finish();
  } catch (const WorkbookError& error) {
    // The styles' own refusals do not name the file yet.
    if (std::string_view(error.what()).starts_with(description)) throw;
    failWith(package.path(), error.what());
  }
}

void recordRead(WorkbookContents& contents, const ContentsToRead& asked) {
  contents.read.notes = asked.notes;
  contents.read.names = asked.names;
  contents.read.hidden = asked.hidden;
  contents.read.merged = asked.merged;
  contents.read.formats = asked.formats;
}

// Reads content.xml into a fresh workbook with the parser the arguments after its handler
// make.
template <class Parser, class... Arguments>
std::unique_ptr<StoredWorkbook> readContent(const ZipArchive& package, const ReadOptions& options,
                                            const Arguments&... arguments) {
  auto workbook = std::make_unique<StoredWorkbook>();
  const ContentsToRead& asked = options.contents;
  ods::OdsStyles styles(asked.formats ? &workbook->contents().formats : nullptr);
  std::optional<ods::SheetContentsCollector> contents;
  if (asked.notes || asked.names || asked.hidden || asked.merged || asked.formats) {
    if (asked.formats) readStylesPart(package, styles);
    contents.emplace(*workbook, asked, styles);
  }
  ods::ContentHandler handler(*workbook, options.formulas, contents ? &*contents : nullptr);
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
  if (contents) {
    styles.fixDefault(nullptr);
    contents->finish();
  }
  recordRead(workbook->contents(), asked);
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
