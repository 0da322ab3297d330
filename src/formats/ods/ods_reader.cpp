#include "formats/ods/ods_reader.h"

#include <optional>

#include "formats/crypto/decryption_error.h"
#include "formats/crypto/odf_decryption.h"
#include "formats/crypto/password_attempts.h"
#include "formats/ods/content_handler.h"
#include "formats/ods/ods_styles.h"
#include "formats/package/plain_xml_scanner.h"
#include "formats/package/xml_stream.h"
#include "formats/package/zip_archive.h"

namespace quill {

namespace {

constexpr std::uint64_t kMaxManifestSize = std::uint64_t(1) << 24;
constexpr std::string_view kContent = "content.xml";

// Hands successive chunks of content.xml to its argument.
using ContentSource = std::function<void(const std::function<void(std::string_view)>&)>;

[[noreturn]] void failWith(const std::string& path, const std::string& reason) {
  throw WorkbookError("\"" + path + "\" cannot be read: " + reason);
}

// The encryption of the package's parts as its manifest states it; empty for a package
// saved without a password.
std::map<std::string, crypto::OdfPartEncryption> partEncryption(const ZipArchive& package) {
  if (!package.contains("META-INF/manifest.xml")) return {};
  const std::string manifest = package.readAll("META-INF/manifest.xml", kMaxManifestSize);
  if (manifest.find("encryption-data") == std::string::npos) return {};
  try {
    return crypto::readOdfManifest(manifest);
  } catch (const crypto::DecryptionError& error) {
    failWith(package.path(), error.what());
  }
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
// A package saved with a password has styles.xml encrypted as well; its cell styles are then
// taken from content.xml alone.
void readStylesPart(const ZipArchive& package, bool encrypted, ods::OdsStyles& styles) {
  if (encrypted || !package.contains("styles.xml")) return;
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

// Reads content.xml, as the source gives it, into a fresh workbook with the parser the
// arguments after its handler make.
template <class Parser, class... Arguments>
std::unique_ptr<StoredWorkbook> readContent(const ZipArchive& package, bool encrypted,
                                            const ContentSource& source, const ReadOptions& options,
                                            const Arguments&... arguments) {
  const std::string& path = package.path();
  auto workbook = std::make_unique<StoredWorkbook>(options.keepSpaces);
  const ContentsToRead& asked = options.contents;
  ods::OdsStyles styles(asked.formats ? &workbook->contents().formats : nullptr);
  std::optional<ods::SheetContentsCollector> contents;
  if (asked.notes || asked.names || asked.hidden || asked.merged || asked.formats) {
    if (asked.formats) readStylesPart(package, encrypted, styles);
    contents.emplace(*workbook, asked, styles);
  }
  ods::ContentHandler handler(*workbook, options.formulas, contents ? &*contents : nullptr);
  Parser parser(handler, arguments...);
  source([&](std::string_view chunk) {
    try {
      parser.feed(chunk);
    } catch (const WorkbookError& error) {
      failWith(path, error.what());
    }
  });
  try {
    parser.finish();
  } catch (const WorkbookError& error) {
    failWith(path, error.what());
  }
  if (contents) {
    styles.fixDefault(nullptr);
    contents->finish();
  }
  workbook->contents().read.recordReadBesidesMacros(asked);
  workbook->finish();
  return workbook;
}

// Writers save content.xml as plain XML, which the plain scanner reads several times
// faster; a part beyond it is read again from its start by the general parser.
std::unique_ptr<StoredWorkbook> readContent(const ZipArchive& package, bool encrypted,
                                            const ContentSource& source,
                                            const ReadOptions& options) {
  try {
    return readContent<PlainXmlScanner>(package, encrypted, source, options);
  } catch (const PlainXmlScanner::OutsidePlainXml&) {
    return readContent<XmlStream>(package, encrypted, source, options, std::string(kContent));
  }
}

// content.xml decrypted with the password the options' source gives, still deflated.
std::string decryptedContent(const ZipArchive& package, const crypto::OdfPartEncryption& part,
                             const ReadOptions& options) {
  const std::string stored = package.readAll(kContent);
  return crypto::openWithPassword(package.path(), options, [&](const std::string& password) {
    return crypto::decryptOdfPart(part, crypto::odfPartKey(part, password), stored, options.stop);
  });
}

}  // namespace

std::unique_ptr<StoredWorkbook> readOdsWorkbook(const std::string& path,
                                                const ReadOptions& options) {
  const ZipArchive package(path, options.stop);
  return readOdsPackage(package, options);
}

std::unique_ptr<StoredWorkbook> readOdsPackage(const ZipArchive& package,
                                               const ReadOptions& options) {
  const std::string& path = package.path();
  const auto encryption = partEncryption(package);
  const auto content = encryption.find(std::string(kContent));
  if (content == encryption.end())
    return readContent(
        package, false, [&](const auto& consume) { package.read(kContent, consume); }, options);

  const std::string deflated = decryptedContent(package, content->second, options);
  return readContent(
      package, true,
      [&](const auto& consume) {
        try {
          crypto::inflateOdfPart(content->second, deflated, consume, options.stop);
        } catch (const crypto::DecryptionError& error) {
          failWith(path, error.what());
        }
      },
      options);
}

}  // namespace quill
