#include "formats/xlsx/xlsx_workbook_part.h"

#include "formats/xlsx/xlsx_package.h"

namespace quill::xlsx {

namespace {

// A sheet element of the workbook part before its relationship is resolved.
struct SheetReference {
  std::string name;
  std::string relationshipId;
};

// Collects the sheets and the date system of a workbook part.
class WorkbookHandler final : public XmlHandler {
 public:
  void startElement(std::string_view name, const XmlAttributes& attributes) override;
  void endElement(std::string_view name) override;
  void characters(std::string_view) override {}

  bool date1904 = false;
  std::vector<SheetReference> sheets;

 private:
  bool inSheets_ = false;
};

bool isTrue(const char* value) {
  if (value == nullptr) return false;
  const std::string_view text(value);
  return text == "1" || text == "true";
}

void WorkbookHandler::startElement(std::string_view name, const XmlAttributes& attributes) {
  if (name == "workbookPr") {
    date1904 = isTrue(attributes.find("date1904"));
  } else if (name == "sheets") {
    inSheets_ = true;
  } else if (name == "sheet" && inSheets_) {
    const char* sheetName = attributes.find("name");
    const char* id = attributes.find("id");
    sheets.push_back({sheetName ? sheetName : "", id ? id : ""});
  }
}

void WorkbookHandler::endElement(std::string_view name) {
  if (name == "sheets") inSheets_ = false;
}

const Relationship* findById(const std::vector<Relationship>& relationships, std::string_view id) {
  for (const Relationship& relationship : relationships)
    if (relationship.id == id) return &relationship;
  return nullptr;
}

// The part a workbook relationship names, or a conventional part that is present anyway.
std::string optionalPart(const ZipArchive& zip, const std::vector<Relationship>& relationships,
                         std::string_view kind, std::string_view usualPart) {
  if (const Relationship* relationship = findRelationship(relationships, kind))
    return relationship->target;
  return hasPart(zip, usualPart) ? std::string(usualPart) : std::string();
}

}  // namespace

WorkbookPart readWorkbookPart(const ZipArchive& zip) {
  WorkbookPart workbook;
  const auto packageRelationships = readRelationships(zip, "");
  const Relationship* document = findRelationship(packageRelationships, "officeDocument");
  if (document == nullptr)
    throw partError(zip, "_rels/.rels", "names no workbook (no officeDocument relationship)");
  workbook.part = document->target;

  WorkbookHandler handler;
  parsePart(zip, workbook.part, handler);
  workbook.date1904 = handler.date1904;

  const auto relationships = readRelationships(zip, workbook.part);
  for (const SheetReference& sheet : handler.sheets) {
    const Relationship* relationship = findById(relationships, sheet.relationshipId);
    if (relationship == nullptr)
      throw partError(zip, workbook.part,
                      "lists the sheet \"" + sheet.name + "\" under the relationship \"" +
                          sheet.relationshipId + "\", which does not exist");
    if (relationship->external || !relationship->isOfKind("worksheet")) continue;
    workbook.worksheets.push_back({sheet.name, relationship->target});
  }
  workbook.sharedStringsPart =
      optionalPart(zip, relationships, "sharedStrings", "xl/sharedStrings.xml");
  workbook.stylesPart = optionalPart(zip, relationships, "styles", "xl/styles.xml");
  return workbook;
}

}  // namespace quill::xlsx
