#include <algorithm>

#include "formats/xls/book_state.h"
#include "formats/xls/record_cursor.h"
#include "sheet/cell_text.h"
#include "sheet/workbook.h"

namespace quill::xls {

namespace {

constexpr std::uint16_t kFilepass = 0x002F;
constexpr std::uint16_t kCodepage = 0x0042;
constexpr std::uint16_t kDatemode = 0x0022;
constexpr std::uint16_t kFormat23 = 0x001E;  // BIFF2 and BIFF3
constexpr std::uint16_t kFormat = 0x041E;    // BIFF4 and later
constexpr std::uint16_t kXf2 = 0x0043;
constexpr std::uint16_t kXf3 = 0x0243;
constexpr std::uint16_t kXf4 = 0x0443;
constexpr std::uint16_t kXf = 0x00E0;

void readFormat(const Record& record, BookState& book) {
  RecordCursor cursor(record);
  std::string& code = book.scratch;
  code.clear();
  int id;
  if (book.biff >= Biff::V5) {
    id = cursor.u16();
    if (book.biff == Biff::V8)
      readUnicodeString(cursor, code, 2);
    else
      readByteString(cursor, code, 1, book.codepage);
  } else {
    // Up to BIFF4 formats are numbered by their order in the file.
    id = int(book.styles.formatCount());
    if (record.type == kFormat) cursor.skip(2);
    readByteString(cursor, code, 1, book.codepage);
  }
  book.styles.defineFormat(id, code);
}

void readStyle(const Record& record, BookState& book) {
  RecordCursor cursor(record);
  switch (record.type) {
    case kXf2:
      cursor.skip(2);
      book.styles.addStyle(cursor.u8() & 0x3F);
      break;
    case kXf3:
    case kXf4:
      cursor.skip(1);
      book.styles.addStyle(cursor.u8());
      break;
    default:
      cursor.skip(2);
      book.styles.addStyle(cursor.u16());
  }
}

}  // namespace

bool readBookRecord(const Record& record, BookState& book) {
  switch (record.type) {
    case kFilepass:
      throw WorkbookError("the workbook is password-protected (encrypted) and cannot be read");
    case kCodepage:
      if (!book.codepageRead) book.codepage.select(RecordCursor(record).u16());
      book.codepageRead = true;
      return true;
    case kDatemode:
      book.date1904 = RecordCursor(record).u16() == 1;
      return true;
    case kFormat23:
    case kFormat:
      readFormat(record, book);
      return true;
    case kXf2:
    case kXf3:
    case kXf4:
    case kXf:
      readStyle(record, book);
      return true;
    default:
      return false;
  }
}

void readSharedStrings(const Record& record, BookState& book) {
  RecordCursor cursor(record);
  cursor.skip(4);  // the total count of references
  const std::size_t announced = cursor.u32();
  // Each string takes at least three bytes, so the count cannot ask for more than that.
  book.sharedStrings.reserve(std::min(announced, cursor.remaining() / 3));
  std::string& text = book.scratch;
  while (cursor.remaining() > 0) {
    text.clear();
    try {
      readUnicodeString(cursor, text, 2);
    } catch (const WorkbookError&) {
      // Padding after the last announced string is no loss; a string cut short is.
      if (book.sharedStrings.size() >= announced) break;
      throw;
    }
    // Trimmed once here (unless spaces are kept), so that the cells showing a string need not read
    // it.
    book.sharedStrings.push_back(book.arena.store(cellSpaces(text, book.keepSpaces)));
  }
}

}  // namespace quill::xls
