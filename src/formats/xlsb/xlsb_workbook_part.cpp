#include "formats/xlsb/xlsb_workbook_part.h"

#include "formats/xlsb/xlsb_records.h"
#include "formats/xlsx/xlsx_package.h"

namespace quill::xlsb {

namespace {

// A sheet entry of the workbook part before its relationship is resolved.
struct SheetReference {
  std::string name;
  std::string relationshipId;
};

// The sheets in tab order and the date system, as the workbook part's records give them.
struct WorkbookRecords {
  bool date1904 = false;
  std::vector<SheetReference> sheets;
  FormulaNameTables formulaNames;
};

WorkbookRecords readWorkbookRecords(const ZipArchive& zip, const std::string& part) {
  const std::string errorPrefix = partErrorPrefix(zip, part);
  WorkbookRecords result;
  readRecords(zip, part, errorPrefix, [&](const Record& record) {
    FieldCursor cursor(record, errorPrefix);
    if (record.type == record::kWorkbookProperties) {
      result.date1904 = (cursor.u32() & 0x01u) != 0;
    } else if (record.type == record::kSheetEntry) {
      cursor.skip(8);  // visibility and tab id: hidden sheets are compared too
      SheetReference sheet;
      cursor.appendNullableWideString(sheet.relationshipId);
      cursor.appendWideString(sheet.name);
      result.formulaNames.addSheet(sheet.name);
      result.sheets.push_back(std::move(sheet));
    } else {
      result.formulaNames.read(record, errorPrefix);
    }
  });
  return result;
}

const xlsx::Relationship* findById(const std::vector<xlsx::Relationship>& relationships,
                                   std::string_view id) {
  for (const xlsx::Relationship& relationship : relationships)
    if (relationship.id == id) return &relationship;
  return nullptr;
}

// The part a workbook relationship names, or a conventional part that is present anyway.
std::string optionalPart(const ZipArchive& zip,
                         const std::vector<xlsx::Relationship>& relationships,
                         std::string_view kind, std::string_view usualPart) {
  if (const xlsx::Relationship* relationship = xlsx::findRelationship(relationships, kind))
    return relationship->target;
  return xlsx::hasPart(zip, usualPart) ? std::string(usualPart) : std::string();
}

}  // namespace

WorkbookPart readWorkbookPart(const ZipArchive& zip) {
  WorkbookPart workbook;
  const auto packageRelationships = xlsx::readRelationships(zip, "");
  const xlsx::Relationship* document =
      xlsx::findRelationship(packageRelationships, "officeDocument");
  if (document == nullptr)
    throw xlsx::partError(zip, "_rels/.rels", "names no workbook (no officeDocument relationship)");
  workbook.part = document->target;

  const WorkbookRecords records = readWorkbookRecords(zip, workbook.part);
  workbook.date1904 = records.date1904;
  workbook.formulaNames = records.formulaNames;

  const auto relationships = xlsx::readRelationships(zip, workbook.part);
  for (const SheetReference& sheet : records.sheets) {
    const xlsx::Relationship* relationship = findById(relationships, sheet.relationshipId);
    if (relationship == nullptr)
      throw xlsx::partError(zip, workbook.part,
                            "lists the sheet \"" + sheet.name + "\" under the relationship \"" +
                                sheet.relationshipId + "\", which does not exist");
    if (relationship->external || !relationship->isOfKind("worksheet")) continue;
    workbook.worksheets.push_back({sheet.name, relationship->target});
  }
  workbook.sharedStringsPart =
      optionalPart(zip, relationships, "sharedStrings", "xl/sharedStrings.bin");
  workbook.stylesPart = optionalPart(zip, relationships, "styles", "xl/styles.bin");
  return workbook;
}

}  // namespace quill::xlsb
