#include "formats/xls/formula_tables.h"

#include <array>

#include "formats/xls/record_cursor.h"
#include "sheet/workbook.h"

namespace quill::xls {

namespace {

constexpr std::uint16_t kExternSheet = 0x0017;
constexpr std::uint16_t kSupBook = 0x01AE;
constexpr std::uint16_t kExternName = 0x0023;
constexpr std::uint16_t kName = 0x0018;

constexpr std::uint16_t kSelfReference = 0x0401;  // the cch of a SUPBOOK for this workbook
constexpr std::uint16_t kAddInFunctions = 0x3A01;

// Built-in defined names are stored as one character numbering them.
constexpr std::array<const char*, 14> kBuiltInNames = {
    "Consolidate_Area", "Auto_Open",       "Auto_Close",   "Extract",        "Database",
    "Criteria",         "Print_Area",      "Print_Titles", "Recorder",       "Data_Form",
    "Auto_Activate",    "Auto_Deactivate", "Sheet_Title",  "_FilterDatabase"};

// Characters of a string whose length came before: an option byte, then the characters.
std::string charsWithoutLength(RecordCursor& cursor, std::size_t count) {
  std::string text;
  const bool wide = (cursor.u8() & 0x01) != 0;
  cursor.appendUnicodeChars(text, count, wide);
  return text;
}

}  // namespace

std::string definedNameText(std::string stored, std::uint16_t options) {
  if ((options & 0x0020) != 0 && stored.size() == 1 &&
      static_cast<unsigned char>(stored[0]) < kBuiltInNames.size())
    return kBuiltInNames[static_cast<unsigned char>(stored[0])];
  return stored;
}

bool FormulaTables::read(const Record& record) {
  switch (record.type) {
    case kExternSheet:
      readExternSheet(record);
      return true;
    case kSupBook:
      readSupBook(record);
      return true;
    case kExternName:
      readExternName(record);
      return true;
    case kName:
      readName(record);
      return true;
    default:
      return false;
  }
}

void FormulaTables::readExternSheet(const Record& record) {
  RecordCursor cursor(record);
  const std::size_t count = cursor.u16();
  if (count * 6 > cursor.remaining())
    throw WorkbookError("its sheet index table is longer than its record (damaged file)");
  ranges_.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    SheetRange range;
    range.book = cursor.u16();
    range.first = cursor.u16();
    range.last = cursor.u16();
    ranges_.push_back(range);
  }
}

void FormulaTables::readSupBook(const Record& record) {
  RecordCursor cursor(record);
  Book book;
  const std::size_t sheetCount = cursor.u16();
  const std::uint16_t pathLength = cursor.u16();
  if (pathLength == kSelfReference) {
    book.self = true;
  } else if (pathLength != kAddInFunctions) {
    book.externalNumber = ++externalBooks_;
    charsWithoutLength(cursor, pathLength);  // the other workbook's path is not shown
    for (std::size_t i = 0; i < sheetCount && cursor.remaining() > 0; ++i) {
      std::string name;
      readUnicodeString(cursor, name, 2);
      book.sheetNames.push_back(std::move(name));
    }
  }
  books_.push_back(std::move(book));
}

void FormulaTables::readExternName(const Record& record) {
  if (books_.empty()) return;  // a name outside any SUPBOOK refers to nothing
  RecordCursor cursor(record);
  cursor.skip(6);  // options, then the sheet or add-in it belongs to
  const std::size_t length = cursor.u8();
  books_.back().names.push_back(charsWithoutLength(cursor, length));
}

void FormulaTables::readName(const Record& record) {
  RecordCursor cursor(record);
  const std::uint16_t options = cursor.u16();
  cursor.u8();  // keyboard shortcut
  const std::size_t length = cursor.u8();
  cursor.skip(2 + 2);  // formula size, reserved
  definedNameScopes_.push_back(cursor.u16());
  cursor.skip(4);  // lengths of texts never stored
  definedNames_.push_back(definedNameText(charsWithoutLength(cursor, length), options));
}

std::optional<std::string> FormulaTables::sheetName(const Book& book, std::uint16_t index) const {
  const std::vector<std::string>& names = book.self ? sheetNames_ : book.sheetNames;
  if (index >= names.size()) return std::nullopt;
  return names[index];
}

std::optional<std::string> FormulaTables::sheets(std::uint32_t index) const {
  if (index >= ranges_.size()) return std::nullopt;
  const SheetRange& range = ranges_[index];
  if (range.book >= books_.size()) return std::nullopt;
  const Book& book = books_[range.book];
  const auto first = sheetName(book, range.first);
  const auto last = sheetName(book, range.last);
  if (!first || !last) return std::nullopt;
  std::string text = book.self ? "" : "[" + std::to_string(book.externalNumber) + "]";
  text += *first;
  if (range.last != range.first) text += ":" + *last;
  return text;
}

std::optional<std::string> FormulaTables::definedName(std::uint32_t number) const {
  if (number == 0 || number > definedNames_.size()) return std::nullopt;
  return definedNames_[number - 1];
}

std::optional<std::string> FormulaTables::externalName(std::uint32_t sheetIndex,
                                                       std::uint32_t number) const {
  if (sheetIndex >= ranges_.size()) return std::nullopt;
  const std::uint16_t book = ranges_[sheetIndex].book;
  if (book < books_.size() && books_[book].self) {
    // A name of this workbook; one of a sheet is written with its sheet: "Sheet1!Total".
    const auto name = definedName(number);
    if (!name) return std::nullopt;
    const std::uint16_t scope = definedNameScopes_[number - 1];
    if (scope == 0 || scope > sheetNames_.size()) return *name;
    return quotedSheetName(sheetNames_[scope - 1u]) + "!" + *name;
  }
  if (book >= books_.size() || number == 0 || number > books_[book].names.size())
    return std::nullopt;
  return books_[book].names[number - 1];
}

std::optional<std::string> FormulaTables::sheetsByPosition(std::uint32_t first,
                                                           std::uint32_t last) const {
  if (first > last || last >= sheetNames_.size()) return std::nullopt;
  if (first == last) return sheetNames_[first];
  return sheetNames_[first] + ":" + sheetNames_[last];
}

std::string FormulaTables::byteText(std::span<const std::uint8_t> bytes) const {
  if (codepage_ == nullptr) return FormulaNames::byteText(bytes);
  std::string text;
  codepage_->append(text, bytes.data(), bytes.size());
  return text;
}

}  // namespace quill::xls
