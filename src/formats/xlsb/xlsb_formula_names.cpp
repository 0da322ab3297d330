#include "formats/xlsb/xlsb_formula_names.h"

#include "sheet/workbook.h"

namespace quill::xlsb {

void FormulaNameTables::read(const Record& record, const std::string& errorPrefix) {
  FieldCursor cursor(record, errorPrefix);
  switch (record.type) {
    case record::kSelfReference:
    case record::kSameReference:
      bookIsSelf_.push_back(true);
      return;
    case record::kExternalBook:
    case record::kAddInReference:
      bookIsSelf_.push_back(false);
      return;
    case record::kSheetIndexTable: {
      const std::size_t count = cursor.u32();
      if (count > cursor.remaining() / 12)
        throw WorkbookError(errorPrefix + " has a sheet index table longer than its record");
      ranges_.reserve(count);
      for (std::size_t i = 0; i < count; ++i) {
        SheetRange range;
        range.book = cursor.u32();
        range.first = std::int32_t(cursor.u32());
        range.last = std::int32_t(cursor.u32());
        ranges_.push_back(range);
      }
      return;
    }
    case record::kDefinedName: {
      cursor.skip(4 + 1 + 4);  // options, keyboard shortcut, sheet
      std::string name;
      cursor.appendWideString(name);
      constexpr std::string_view kBuiltInPrefix = "_xlnm.";
      if (name.starts_with(kBuiltInPrefix)) name.erase(0, kBuiltInPrefix.size());
      definedNames_.push_back(std::move(name));
      return;
    }
    default:
      return;
  }
}

std::optional<std::string> FormulaNameTables::sheets(std::uint32_t index) const {
  if (index >= ranges_.size()) return std::nullopt;
  const SheetRange& range = ranges_[index];
  // Sheets of other workbooks are not listed in the workbook part.
  if (range.book >= bookIsSelf_.size() || !bookIsSelf_[range.book]) return std::nullopt;
  if (range.first < 0 || range.last < 0 || std::size_t(range.first) >= sheetNames_.size() ||
      std::size_t(range.last) >= sheetNames_.size())
    return std::nullopt;
  std::string text = sheetNames_[std::size_t(range.first)];
  if (range.last != range.first) text += ":" + sheetNames_[std::size_t(range.last)];
  return text;
}

std::optional<std::string> FormulaNameTables::definedName(std::uint32_t number) const {
  if (number == 0 || number > definedNames_.size()) return std::nullopt;
  return definedNames_[number - 1];
}

std::optional<std::string> FormulaNameTables::externalName(std::uint32_t, std::uint32_t) const {
  return std::nullopt;  // external names are not read from the workbook part
}

}  // namespace quill::xlsb
