#include "formats/xlsb/xlsb_workbook_part.h"

#include "formats/package/cell_format_table.h"
#include "formats/xlsb/xlsb_records.h"
#include "formats/xlsx/xlsx_package.h"

namespace quill::xlsb {

namespace {

// A sheet entry of the workbook part before its relationship is resolved.
struct SheetReference {
  std::string name;
  std::string relationshipId;
  SheetVisibility visibility = SheetVisibility::Visible;
};

// A defined name as its record gives it, its formula decoded once every table is read.
struct StoredName {
  std::string name;
  std::uint32_t sheet = 0;  // 0-based tab position of its scope, or kWorkbookScope
  std::vector<std::uint8_t> tokens;
  std::vector<std::uint8_t> extra;
};
constexpr std::uint32_t kWorkbookScope = 0xFFFFFFFF;

// The sheets in tab order and the date system, as the workbook part's records give them.
struct WorkbookRecords {
  bool date1904 = false;
  std::vector<SheetReference> sheets;
  FormulaNameTables formulaNames;
  std::vector<StoredName> names;  // only when asked for
};

// A BrtName: options, shortcut, scope, name, then the formula's tokens and extra data, each
// after its size.
StoredName readName(FieldCursor& cursor) {
  StoredName name;
  cursor.skip(4 + 1);  // options, keyboard shortcut
  name.sheet = cursor.u32();
  cursor.appendWideString(name.name);
  constexpr std::string_view kBuiltInPrefix = "_xlnm.";
  if (name.name.starts_with(kBuiltInPrefix)) name.name.erase(0, kBuiltInPrefix.size());
  const auto tokens = cursor.bytes(cursor.u32());
  name.tokens.assign(tokens.begin(), tokens.end());
  const auto extra = cursor.bytes(cursor.u32());
  name.extra.assign(extra.begin(), extra.end());
  return name;
}

// The defined names with their formulas in A1 style, sorted by scope, then name.
std::vector<DefinedName> decodedNames(const WorkbookRecords& records) {
  std::vector<DefinedName> names;
  for (const StoredName& stored : records.names) {
    DefinedName name;
    name.name = stored.name;
    if (stored.sheet != kWorkbookScope && stored.sheet < records.sheets.size())
      name.scopeSheet = records.sheets[stored.sheet].name;
    name.formula = decompileFormula(stored.tokens, stored.extra, FormulaDialect::Xlsb,
                                    FormulaCell{}, records.formulaNames);
    names.push_back(std::move(name));
  }
  sortNames(names);
  return names;
}

WorkbookRecords readWorkbookRecords(const ZipArchive& zip, const std::string& part,
                                    bool readNames) {
  const std::string errorPrefix = partErrorPrefix(zip, part);
  WorkbookRecords result;
  readRecords(zip, part, errorPrefix, [&](const Record& record) {
    FieldCursor cursor(record, errorPrefix);
    if (record.type == record::kWorkbookProperties) {
      result.date1904 = (cursor.u32() & 0x01u) != 0;
    } else if (record.type == record::kSheetEntry) {
      SheetReference sheet;
      sheet.visibility = binarySheetVisibility(cursor.u32());  // hidden sheets are compared too
      cursor.skip(4);                                          // tab id
      cursor.appendNullableWideString(sheet.relationshipId);
      cursor.appendWideString(sheet.name);
      result.formulaNames.addSheet(sheet.name);
      result.sheets.push_back(std::move(sheet));
    } else {
      if (readNames && record.type == record::kDefinedName)
        result.names.push_back(readName(cursor));
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

WorkbookPart readWorkbookPart(const ZipArchive& zip, bool readNames) {
  WorkbookPart workbook;
  const auto packageRelationships = xlsx::readRelationships(zip, "");
  const xlsx::Relationship* document =
      xlsx::findRelationship(packageRelationships, "officeDocument");
  if (document == nullptr)
    throw xlsx::partError(zip, "_rels/.rels", "names no workbook (no officeDocument relationship)");
  workbook.part = document->target;

  const WorkbookRecords records = readWorkbookRecords(zip, workbook.part, readNames);
  workbook.date1904 = records.date1904;
  workbook.formulaNames = records.formulaNames;
  if (readNames) workbook.names = decodedNames(records);

  const auto relationships = xlsx::readRelationships(zip, workbook.part);
  for (const SheetReference& sheet : records.sheets) {
    const xlsx::Relationship* relationship = findById(relationships, sheet.relationshipId);
    if (relationship == nullptr)
      throw xlsx::partError(zip, workbook.part,
                            "lists the sheet \"" + sheet.name + "\" under the relationship \"" +
                                sheet.relationshipId + "\", which does not exist");
    if (relationship->external || !relationship->isOfKind("worksheet")) continue;
    workbook.worksheets.push_back({sheet.name, relationship->target});
    workbook.visibilities.push_back(sheet.visibility);
  }
  workbook.sharedStringsPart =
      optionalPart(zip, relationships, "sharedStrings", "xl/sharedStrings.bin");
  workbook.stylesPart = optionalPart(zip, relationships, "styles", "xl/styles.bin");
  return workbook;
}

}  // namespace quill::xlsb
