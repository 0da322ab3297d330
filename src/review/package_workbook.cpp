#include "review/package_workbook.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>

#include "base/ascii_case.h"
#include "formats/xlsx/xlsx_package.h"
#include "report/file_writer.h"
#include "review/xml_rewriter.h"

namespace quill {

namespace {

constexpr std::uint64_t kMaxSmallPart = std::uint64_t(1) << 28;
constexpr const char* kWorksheetType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";
constexpr std::string_view kStrictNamespace = "http://purl.oclc.org/ooxml/";

std::string_view localPart(std::string_view name) {
  const std::size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

// Collects the sheets' names and ids of a workbook part.
class SheetsReader final : public RewriteHandler {
 public:
  explicit SheetsReader(WorkbookSheets& sheets) : sheets_(sheets) {}
  void start(XmlRewriter&, std::string_view name, TagAttributes attributes) override {
    if (first_) {
      first_ = false;
      for (const char** p = attributes.pairs; *p != nullptr; p += 2)
        if (std::string_view(p[1]).starts_with(kStrictNamespace)) sheets_.strict = true;
    }
    if (localPart(name) != "sheet") return;
    if (const char* sheetName = attributes.find("name")) sheets_.names.emplace_back(sheetName);
    if (const char* id = attributes.find("sheetId"))
      sheets_.lastSheetId = std::max(sheets_.lastSheetId, std::atol(id));
  }
  void end(XmlRewriter&, std::string_view) override {}

 private:
  WorkbookSheets& sheets_;
  bool first_ = true;
};

// Writes the workbook part with the listing's sheet first and the positions of the others
// one on.
class WorkbookRewrite final : public RewriteHandler {
 public:
  explicit WorkbookRewrite(std::string sheet) : sheet_(std::move(sheet)) {}

  void start(XmlRewriter& rewriter, std::string_view name, TagAttributes attributes) override {
    const std::string_view local = localPart(name);
    if (local == "sheets") {
      if (rewriter.selfClosing())
        rewriter.replaceTag(startTag(name, attributes, false) + sheet_ + "</" + std::string(name) +
                            ">");
      else
        rewriter.replaceTag(std::string(rewriter.tag()) + sheet_);
    } else if (local == "definedName") {
      moveOn(rewriter, name, attributes, {"localSheetId"});
    } else if (local == "workbookView") {
      moveOn(rewriter, name, attributes, {"activeTab", "firstSheet"});
    }
  }
  void end(XmlRewriter&, std::string_view) override {}

 private:
  // The tag with the sheet positions it gives one on.
  static void moveOn(XmlRewriter& rewriter, std::string_view name, TagAttributes attributes,
                     std::initializer_list<std::string_view> positions) {
    std::vector<std::string> values;
    values.reserve(positions.size());
    std::vector<const char*> pairs;
    for (const char** p = attributes.pairs; *p != nullptr; p += 2) {
      pairs.push_back(p[0]);
      pairs.push_back(p[1]);
      if (std::find(positions.begin(), positions.end(), p[0]) == positions.end()) continue;
      values.push_back(std::to_string(std::atol(p[1]) + 1));
      pairs.back() = values.back().c_str();
    }
    if (values.empty()) return;
    pairs.push_back(nullptr);
    rewriter.replaceTag(startTag(name, TagAttributes{pairs.data()}, rewriter.selfClosing()));
  }

  std::string sheet_;
};

// Finds the content type the content types part gives one part: its own, or else the one of
// its extension. Part names and extensions are matched in either case, as packages match them.
class ContentTypeReader final : public RewriteHandler {
 public:
  explicit ContentTypeReader(const std::string& part)
      : name_(asciiLowered("/" + part)),
        extension_(asciiLowered(part.substr(part.rfind('.') + 1))) {}

  void start(XmlRewriter&, std::string_view name, TagAttributes attributes) override {
    const char* type = attributes.find("ContentType");
    if (type == nullptr) return;
    const std::string_view local = localPart(name);
    const char* partName = attributes.find("PartName");
    const char* extension = attributes.find("Extension");
    if (local == "Override" && partName != nullptr && asciiLowered(partName) == name_)
      own_ = type;
    else if (local == "Default" && extension != nullptr && asciiLowered(extension) == extension_)
      byExtension_ = type;
  }
  void end(XmlRewriter&, std::string_view) override {}

  std::string type() const { return own_.empty() ? byExtension_ : own_; }

 private:
  std::string name_;
  std::string extension_;
  std::string own_;
  std::string byExtension_;
};

std::string insertedAtEnd(const std::string& text, const std::string& added,
                          const std::string& part) {
  const std::size_t end = text.rfind("</");
  if (end == std::string::npos) throw WriteError("the part \"" + part + "\" is damaged");
  return text.substr(0, end) + added + text.substr(end);
}

// Checks that a part read whole is well-formed XML before text is added to it.
void checkWellFormed(const std::string& text, const std::string& part) {
  struct Nothing final : RewriteHandler {
    void start(XmlRewriter&, std::string_view, TagAttributes) override {}
    void end(XmlRewriter&, std::string_view) override {}
  } nothing;
  XmlRewriter check(
      nothing, [](std::string_view) {}, "the part \"" + part + "\"");
  check.feed(text);
  check.finish();
}

}  // namespace

WorkbookSheets readWorkbookSheets(const ZipArchive& zip, const std::string& workbookPart) {
  WorkbookSheets sheets;
  sheets.workbookPart = workbookPart;
  SheetsReader reader(sheets);
  XmlRewriter parse(
      reader, [](std::string_view) {}, "the part \"" + workbookPart + "\"");
  parse.feed(zip.readAll(xlsx::storedPartName(zip, workbookPart), kMaxSmallPart));
  parse.finish();
  return sheets;
}

void addListingSheet(const ZipArchive& zip, const WorkbookSheets& sheets, const std::string& name,
                     const std::string& listingPart, PackageEdits& edits) {
  const std::string& workbook = sheets.workbookPart;
  const std::string relationshipsName = xlsx::relationshipsPartName(workbook);
  const std::vector<xlsx::Relationship> relationships = xlsx::readRelationships(zip, workbook);
  std::string id;
  for (int n = 1; id.empty() || std::any_of(relationships.begin(), relationships.end(),
                                            [&](const auto& r) { return r.id == id; });
       ++n)
    id = "rIdQm" + std::to_string(n);

  const std::string folder = workbook.substr(0, workbook.rfind('/') + 1);
  const std::string stored = xlsx::storedPartName(zip, relationshipsName);
  const std::string text = zip.readAll(stored, kMaxSmallPart);
  checkWellFormed(text, relationshipsName);
  edits.put(stored, insertedAtEnd(text,
                                  "<Relationship Id=\"" + id + "\" Type=\"" +
                                      kRelationshipsNamespace + "/worksheet\" Target=\"" +
                                      escapedXml(listingPart.substr(folder.size())) + "\"/>",
                                  relationshipsName));

  WorkbookRewrite handler("<sheet xmlns:r=\"" + std::string(kRelationshipsNamespace) +
                          "\" name=\"" + escapedXml(name) + "\" sheetId=\"" +
                          std::to_string(sheets.lastSheetId + 1) + "\" r:id=\"" + id + "\"/>");
  std::string written;
  XmlRewriter rewrite(
      handler, [&](std::string_view piece) { written.append(piece); },
      "the part \"" + workbook + "\"");
  rewrite.feed(zip.readAll(xlsx::storedPartName(zip, workbook), kMaxSmallPart));
  rewrite.finish();
  edits.put(xlsx::storedPartName(zip, workbook), std::move(written));
  edits.contentTypes.emplace_back(listingPart, kWorksheetType);
}

std::string contentTypeOf(const ZipArchive& zip, const std::string& part) {
  const std::string types = "[Content_Types].xml";
  ContentTypeReader reader(part);
  XmlRewriter parse(
      reader, [](std::string_view) {}, "the part \"" + types + "\"");
  parse.feed(zip.readAll(xlsx::storedPartName(zip, types), kMaxSmallPart));
  parse.finish();
  return reader.type();
}

std::string withContentTypes(const ZipArchive& zip, const PackageEdits& edits) {
  const std::string part = "[Content_Types].xml";
  const std::string text = zip.readAll(part, kMaxSmallPart);
  checkWellFormed(text, part);
  std::string added;
  for (const auto& [name, type] : edits.contentTypes)
    added += "<Override PartName=\"/" + escapedXml(name) + "\" ContentType=\"" + type + "\"/>";
  return insertedAtEnd(text, added, part);
}

}  // namespace quill
