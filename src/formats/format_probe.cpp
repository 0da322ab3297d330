#include "formats/format_probe.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "base/ascii_case.h"
#include "formats/package/compound_probe.h"
#include "formats/package/xml_stream.h"
#include "formats/package/zip_archive.h"
#include "sheet/workbook.h"

namespace quill {

namespace {

constexpr std::uint64_t kMaxSmallPart = std::uint64_t(1) << 24;
constexpr std::string_view kOdsMimetype = "application/vnd.oasis.opendocument.spreadsheet";
constexpr std::array<std::string_view, 5> kXmlWorkbookTypes = {
    "spreadsheetml.sheet.main+xml", "spreadsheetml.template.main+xml",
    "ms-excel.sheet.macroEnabled.main+xml", "ms-excel.template.macroEnabled.main+xml",
    "ms-excel.addin.macroEnabled.main+xml"};
constexpr std::string_view kBinaryWorkbookType = "ms-excel.sheet.binary.macroEnabled.main";

[[noreturn]] void notAWorkbook(const std::string& path, const std::string& reason) {
  throw WorkbookError("\"" + path + "\" is not a workbook: " + reason);
}

// Finds the target of the package's officeDocument relationship in _rels/.rels.
class OfficeDocumentTarget final : public XmlHandler {
 public:
  void startElement(std::string_view name, const XmlAttributes& attributes) override {
    if (name != "Relationship" || !target.empty()) return;
    const char* type = attributes.find("Type");
    const char* value = attributes.find("Target");
    if (type != nullptr && value != nullptr && endsWithIgnoringCase(type, "/officeDocument"))
      target = value;
  }
  void endElement(std::string_view) override {}
  void characters(std::string_view) override {}

  std::string target;
};

std::string officeDocumentTarget(const ZipArchive& package) {
  if (!package.contains("_rels/.rels")) return {};
  OfficeDocumentTarget handler;
  XmlStream stream(handler, "\"" + package.path() + "\" cannot be read: _rels/.rels");
  stream.feed(package.readAll("_rels/.rels", kMaxSmallPart));
  stream.finish();
  return handler.target;
}

}  // namespace

WorkbookFormat probePackageFormat(const ZipArchive& package) {
  const std::string& path = package.path();
  if (package.contains("mimetype") &&
      package.readAll("mimetype", kMaxSmallPart).starts_with(kOdsMimetype))
    return WorkbookFormat::Ods;
  std::string contentTypes;
  if (package.contains("[Content_Types].xml"))
    contentTypes = package.readAll("[Content_Types].xml", kMaxSmallPart);
  const std::string target = officeDocumentTarget(package);
  if (endsWithIgnoringCase(target, ".bin") || package.contains("xl/workbook.bin") ||
      contentTypes.find(kBinaryWorkbookType) != std::string::npos)
    return WorkbookFormat::Xlsb;
  const bool declared = std::any_of(
      kXmlWorkbookTypes.begin(), kXmlWorkbookTypes.end(),
      [&](std::string_view type) { return contentTypes.find(type) != std::string::npos; });
  if (declared || package.contains("xl/workbook.xml") ||
      (endsWithIgnoringCase(target, "workbook.xml") && package.contains(target)))
    return WorkbookFormat::Xlsx;
  notAWorkbook(path, "it is a zip package without a workbook part");
}

namespace {

WorkbookFormat probeZip(const std::string& path) {
  return probePackageFormat(ZipArchive(path));
}

// A BIFF2 to BIFF5 record stream saved bare, without a compound document around it, starts
// with its beginning-of-file record.
bool startsWithBiffRecord(std::string_view magic) {
  if (magic.size() < 4 || magic[0] != '\x09') return false;
  const char version = magic[1];
  return version == '\x00' || version == '\x02' || version == '\x04' || version == '\x08';
}

std::string firstBytes(const std::string& path, std::size_t count) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw WorkbookError("\"" + path + "\" cannot be opened");
  std::string bytes(count, '\0');
  in.read(bytes.data(), std::streamsize(count));
  bytes.resize(std::size_t(in.gcount()));
  return bytes;
}

}  // namespace

WorkbookFormat probeWorkbookFormat(const std::string& path) {
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (!std::filesystem::exists(status)) notAWorkbook(path, "the file does not exist");
  if (std::filesystem::is_directory(status)) notAWorkbook(path, "it is a folder");
  if (!std::filesystem::is_regular_file(status)) notAWorkbook(path, "it is not a regular file");
  // An empty .csv is a sheet without cells, as spreadsheet applications open it.
  if (std::filesystem::file_size(path, error) == 0 && !endsWithIgnoringCase(path, ".csv"))
    notAWorkbook(path, "the file is empty");

  const std::string magic = firstBytes(path, 8);
  if (magic.starts_with("PK\x03\x04")) return probeZip(path);
  if (magic == std::string_view("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)) {
    switch (probeCompoundFile(path)) {
      case CompoundContent::Workbook:
        return WorkbookFormat::Xls;
      case CompoundContent::EncryptedPackage:
        return WorkbookFormat::EncryptedPackage;
      case CompoundContent::Other:
        notAWorkbook(path, "it is a compound document without a workbook stream");
    }
  }
  if (startsWithBiffRecord(magic)) return WorkbookFormat::Xls;
  if (endsWithIgnoringCase(path, ".csv")) return WorkbookFormat::Csv;
  notAWorkbook(path, "its content is no spreadsheet format that can be read");
}

}  // namespace quill
