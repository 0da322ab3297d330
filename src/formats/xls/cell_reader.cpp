#include "formats/xls/cell_reader.h"

#include <bit>
#include <cmath>

#include "base/byte_cursor.h"
#include "formats/package/rk_number.h"
#include "formats/xls/record_cursor.h"
#include "sheet/cell_text.h"

namespace quill::xls {

namespace {

FormulaDialect formulaDialect(Biff biff) {
  switch (biff) {
    case Biff::V2:
      return FormulaDialect::Biff2;
    case Biff::V3:
      return FormulaDialect::Biff3;
    case Biff::V4:
      return FormulaDialect::Biff4;
    case Biff::V5:
      return FormulaDialect::Biff5;
    case Biff::V8:
      break;
  }
  return FormulaDialect::Biff8;
}

constexpr std::uint16_t kNumber = 0x0203;
constexpr std::uint16_t kRk = 0x027E;
constexpr std::uint16_t kMulRk = 0x00BD;
constexpr std::uint16_t kLabel = 0x0204;
constexpr std::uint16_t kRString = 0x00D6;
constexpr std::uint16_t kLabelSst = 0x00FD;
constexpr std::uint16_t kBoolErr = 0x0205;
constexpr std::uint16_t kFormula = 0x0006;  // BIFF5 and BIFF8; BIFF2 too, with attributes
constexpr std::uint16_t kFormula3 = 0x0206;
constexpr std::uint16_t kFormula4 = 0x0406;
constexpr std::uint16_t kString = 0x0207;
// BIFF2 cell records carry three bytes of attributes instead of an XF index.
constexpr std::uint16_t kInteger2 = 0x0002;
constexpr std::uint16_t kNumber2 = 0x0003;
constexpr std::uint16_t kLabel2 = 0x0004;
constexpr std::uint16_t kBoolErr2 = 0x0005;
constexpr std::uint16_t kString2 = 0x0007;

// Whole days below this take the shared text of their day: far past every date a workbook
// shows, and small enough for the day's number.
constexpr double kWholeDayLimit = 1e7;

bool isBiff2CellRecord(std::uint16_t type) {
  return type == kInteger2 || type == kNumber2 || type == kLabel2 || type == kBoolErr2 ||
         type == kString2 || type == kFormula;
}

}  // namespace

std::string biffErrorText(std::uint8_t code) {
  switch (code) {
    case 0x00:
      return errorText("#NULL!");
    case 0x07:
      return errorText("#DIV/0!");
    case 0x0F:
      return errorText("#VALUE!");
    case 0x17:
      return errorText("#REF!");
    case 0x1D:
      return errorText("#NAME?");
    case 0x24:
      return errorText("#NUM!");
    case 0x2A:
      return errorText("#N/A");
    case 0x2B:
      return errorText("#GETTING_DATA");
    default:  // an unknown code, numbered the way the known ones are
      return "Error " + std::to_string(2000 + code);
  }
}

CellReader::CellReader(BookState& book, StoredWorkbook& workbook, std::string sheetName)
    : book_(book), workbook_(workbook), sheetName_(std::move(sheetName)) {}

StoredSheet& CellReader::sheet() {
  if (sheet_ == nullptr) sheet_ = &workbook_.addSheet(sheetName_);
  return *sheet_;
}

StoredSheet& CellReader::finish() {
  StoredSheet& stored = sheet();
  settle();
  return stored;
}

void CellReader::settle() {
  if (sheet_ != nullptr) deferred_.resolve(*sheet_, book_.sharedStrings, book_.date1904);
}

bool CellReader::read(const Record& record) {
  const bool biff2 = book_.biff == Biff::V2;
  if (biff2 && isBiff2CellRecord(record.type)) {
    switch (record.type) {
      case kString2:
        readFormulaString(record);
        return true;
      case kLabel2:
        readLabel(record);
        break;
      case kBoolErr2:
        readBoolErr(record);
        break;
      case kFormula:
        readFormula(record);
        return true;
      default:
        readNumber(record);
    }
    pendingRow_ = 0;
    return true;
  }
  if (book_.readFormulas && formulas_ && formulas_->readGroup(record)) return true;
  switch (record.type) {
    case kString:
      readFormulaString(record);
      return true;
    case kFormula:
    case kFormula3:
    case kFormula4:
      readFormula(record);
      return true;
    case kNumber:
      readNumber(record);
      break;
    case kRk:
      readRk(record);
      break;
    case kMulRk:
      readMulRk(record);
      break;
    case kLabel:
    case kRString:
      readLabel(record);
      break;
    case kLabelSst:
      readSharedLabel(record);
      break;
    case kBoolErr:
      readBoolErr(record);
      break;
    default:
      return false;
  }
  pendingRow_ = 0;
  return true;
}

void CellReader::addNumber(long row, long column, double value, bool isDate) {
  std::string& text = book_.scratch;
  text.clear();
  if (isDate && value >= 0 && value < kWholeDayLimit && value == std::floor(value)) {
    deferred_.addWholeDay(sheet(), row, column, std::uint32_t(value));
    return;
  }
  if (isDate)
    appendDateOrNumberText(text, value, book_.date1904);
  else
    appendNumberText(text, value);
  sheet().add(row, column, text);
}

void CellReader::addText(long row, long column) {
  sheet().add(row, column, book_.scratch);
}

void CellReader::readNumber(const Record& record) {
  RecordCursor cursor(record);
  const long row = cursor.u16() + 1L;
  const long column = cursor.u16() + 1L;
  if (book_.biff == Biff::V2) {
    cursor.u8();
    const bool isDate = book_.styles.formatIsDate(cursor.u8() & 0x3F);
    cursor.u8();
    const double value = record.type == kInteger2 ? double(cursor.u16()) : cursor.f64();
    addNumber(row, column, value, isDate);
    return;
  }
  const bool isDate = isDateStyle(cursor.u16());
  addNumber(row, column, cursor.f64(), isDate);
}

void CellReader::readRk(const Record& record) {
  RecordCursor cursor(record);
  const long row = cursor.u16() + 1L;
  const long column = cursor.u16() + 1L;
  const bool isDate = isDateStyle(cursor.u16());
  addNumber(row, column, rkNumber(cursor.u32()), isDate);
}

void CellReader::readMulRk(const Record& record) {
  RecordCursor cursor(record);
  const long row = cursor.u16() + 1L;
  const long first = cursor.u16() + 1L;
  if (cursor.remaining() < 2 || (cursor.remaining() - 2) % 6 != 0)
    throw WorkbookError("a MULRK record at offset " + std::to_string(record.offset) +
                        " has a damaged length");
  const long count = long((cursor.remaining() - 2) / 6);
  RecordCursor tail(record);
  tail.skip(record.data.size() - 2);
  const long last = tail.u16() + 1L;
  if (last - first + 1 != count)
    throw WorkbookError("a MULRK record at offset " + std::to_string(record.offset) +
                        " spans columns " + std::to_string(first) + " to " + std::to_string(last) +
                        " but holds " + std::to_string(count) + " values");
  for (long i = 0; i < count; ++i) {
    const bool isDate = isDateStyle(cursor.u16());
    addNumber(row, first + i, rkNumber(cursor.u32()), isDate);
  }
}

void CellReader::readLabel(const Record& record) {
  RecordCursor cursor(record);
  const long row = cursor.u16() + 1L;
  const long column = cursor.u16() + 1L;
  book_.scratch.clear();
  if (book_.biff == Biff::V2) {
    cursor.skip(3);
    readByteString(cursor, book_.scratch, 1, book_.codepage);
  } else {
    cursor.skip(2);
    if (book_.biff == Biff::V8)
      readUnicodeString(cursor, book_.scratch, 2);
    else
      readByteString(cursor, book_.scratch, 2, book_.codepage);
  }
  addText(row, column);
}

void CellReader::readSharedLabel(const Record& record) {
  RecordCursor cursor(record);
  const long row = cursor.u16() + 1L;
  const long column = cursor.u16() + 1L;
  cursor.skip(2);
  const std::uint32_t index = cursor.u32();
  if (index >= book_.sharedStrings.size())
    throw WorkbookError("cell " + cellNameForMessage(row, column) + " of sheet \"" + sheetName_ +
                        "\" names shared string " + std::to_string(index) +
                        " but the table holds " + std::to_string(book_.sharedStrings.size()));
  deferred_.addShared(sheet(), row, column, index);
}

void CellReader::readBoolErr(const Record& record) {
  RecordCursor cursor(record);
  const long row = cursor.u16() + 1L;
  const long column = cursor.u16() + 1L;
  cursor.skip(book_.biff == Biff::V2 ? 3 : 2);
  const std::uint8_t value = cursor.u8();
  if (cursor.u8() != 0)
    sheet().add(row, column, biffErrorText(value));
  else
    sheet().add(row, column, booleanText(value != 0));
}

void CellReader::readFormula(const Record& record) {
  RecordCursor cursor(record);
  const long row = cursor.u16() + 1L;
  const long column = cursor.u16() + 1L;
  bool isDate;
  if (book_.biff == Biff::V2) {
    cursor.u8();
    isDate = book_.styles.formatIsDate(cursor.u8() & 0x3F);
    cursor.u8();
  } else {
    isDate = isDateStyle(cursor.u16());
  }
  const std::uint8_t* result = cursor.bytes(8).data();
  pendingRow_ = 0;
  if (book_.readFormulas) readFormulaTokens(record, row, column);
  if (result[6] != 0xFF || result[7] != 0xFF) {
    addNumber(row, column, std::bit_cast<double>(littleEndian64(result)), isDate);
    return;
  }
  switch (result[0]) {
    case 0:  // text, in the STRING record that follows
      pendingRow_ = row;
      pendingColumn_ = column;
      break;
    case 1:
      sheet().add(row, column, booleanText(result[2] != 0));
      break;
    case 2:
      sheet().add(row, column, biffErrorText(result[2]));
      break;
    default:  // 3: an empty text
      break;
  }
}

// The tokens of the versions before BIFF8 differ in their references, strings and function
// numbers; the decoder marks what it cannot read of them (names, 3-D references).
void CellReader::readFormulaTokens(const Record& record, long row, long column) {
  if (!formulas_)
    formulas_ =
        std::make_unique<CellFormulas>(book_.formulaTables, formulaDialect(book_.biff), sheet());
  formulas_->readFormula(record, row, column);
}

void CellReader::readFormulaString(const Record& record) {
  if (pendingRow_ == 0) return;  // a STRING that belongs to no formula cell
  RecordCursor cursor(record);
  book_.scratch.clear();
  if (book_.biff == Biff::V8)
    readUnicodeString(cursor, book_.scratch, 2);
  else
    readByteString(cursor, book_.scratch, book_.biff == Biff::V2 ? 1 : 2, book_.codepage);
  addText(pendingRow_, pendingColumn_);
  pendingRow_ = 0;
}

}  // namespace quill::xls
