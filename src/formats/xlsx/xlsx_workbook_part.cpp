#include "formats/xlsx/xlsx_workbook_part.h"

#include <cstdlib>

#include "formats/xlsx/xlsx_package.h"

namespace quill::xlsx {

namespace {

// A sheet element of the workbook part before its relationship is resolved.
struct SheetReference {
  std::string name;
  std::string relationshipId;
  SheetVisibility visibility = SheetVisibility::Visible;
};

// A definedName element before its sheet index is resolved.
struct NameReference {
  std::string name;
  long sheetIndex = -1;  // localSheetId: a position in the sheets list, or -1 for global
  std::string formula;
};

// Longest defined-name formula kept; longer ones are refused as damaged.
constexpr std::size_t kMaxNameFormula = std::size_t(1) << 20;

// Collects the sheets and the date system of a workbook part.
class WorkbookHandler final : public XmlHandler {
 public:
  explicit WorkbookHandler(bool readNames) : readNames_(readNames) {}

  void startElement(std::string_view name, const XmlAttributes& attributes) override;
  void endElement(std::string_view name) override;
  void characters(std::string_view text) override;

  bool date1904 = false;
  std::vector<SheetReference> sheets;
  std::vector<NameReference> names;
  bool nameTooLong = false;  // a formula past kMaxNameFormula, refused once the part is read

 private:
  bool readNames_;
  bool inSheets_ = false;
  bool inName_ = false;
};

SheetVisibility visibilityOf(const char* state) {
  if (state == nullptr) return SheetVisibility::Visible;
  const std::string_view text(state);
  if (text == "hidden") return SheetVisibility::Hidden;
  if (text == "veryHidden") return SheetVisibility::VeryHidden;
  return SheetVisibility::Visible;
}

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
    sheets.push_back(
        {sheetName ? sheetName : "", id ? id : "", visibilityOf(attributes.find("state"))});
  } else if (name == "definedName" && readNames_) {
    const char* nameText = attributes.find("name");
    const char* sheetIndex = attributes.find("localSheetId");
    names.push_back({nameText ? nameText : "", sheetIndex ? std::atol(sheetIndex) : -1, {}});
    inName_ = true;
  }
}

void WorkbookHandler::endElement(std::string_view name) {
  if (name == "sheets") inSheets_ = false;
  if (name == "definedName") inName_ = false;
}

void WorkbookHandler::characters(std::string_view text) {
  if (!inName_) return;
  std::string& formula = names.back().formula;
  if (formula.size() + text.size() > kMaxNameFormula)
    nameTooLong = true;
  else
    formula.append(text);
}

// The names with their scopes as sheet names and their formulas as the cells show them.
std::vector<DefinedName> resolvedNames(const WorkbookHandler& handler) {
  std::vector<DefinedName> names;
  for (const NameReference& name : handler.names) {
    DefinedName resolved{name.name, {}, name.formula};
    if (name.sheetIndex >= 0 && std::size_t(name.sheetIndex) < handler.sheets.size())
      resolved.scopeSheet = handler.sheets[std::size_t(name.sheetIndex)].name;
    if (resolved.formula.empty() || resolved.formula.front() != '=')
      resolved.formula.insert(0, "=");
    names.push_back(std::move(resolved));
  }
  return names;
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

WorkbookPart readWorkbookPart(const ZipArchive& zip, bool readNames) {
  WorkbookPart workbook;
  const auto packageRelationships = readRelationships(zip, "");
  const Relationship* document = findRelationship(packageRelationships, "officeDocument");
  if (document == nullptr)
    throw partError(zip, "_rels/.rels", "names no workbook (no officeDocument relationship)");
  workbook.part = document->target;

  WorkbookHandler handler(readNames);
  parsePart(zip, workbook.part, handler);
  workbook.date1904 = handler.date1904;
  if (handler.nameTooLong)
    throw partError(zip, workbook.part,
                    "has a defined name whose formula is longer than " +
                        std::to_string(kMaxNameFormula) + " bytes");
  workbook.names = resolvedNames(handler);

  const auto relationships = readRelationships(zip, workbook.part);
  for (const SheetReference& sheet : handler.sheets) {
    const Relationship* relationship = findById(relationships, sheet.relationshipId);
    if (relationship == nullptr)
      throw partError(zip, workbook.part,
                      "lists the sheet \"" + sheet.name + "\" under the relationship \"" +
                          sheet.relationshipId + "\", which does not exist");
    if (relationship->external || !relationship->isOfKind("worksheet")) continue;
    workbook.worksheets.push_back({sheet.name, relationship->target, sheet.visibility});
  }
  workbook.sharedStringsPart =
      optionalPart(zip, relationships, "sharedStrings", "xl/sharedStrings.xml");
  workbook.stylesPart = optionalPart(zip, relationships, "styles", "xl/styles.xml");
  if (const Relationship* persons = findRelationship(relationships, "person"))
    workbook.personsPart = persons->target;
  return workbook;
}

}  // namespace quill::xlsx
