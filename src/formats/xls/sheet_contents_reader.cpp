#include "formats/xls/sheet_contents_reader.h"

#include <algorithm>

#include "formats/package/cell_format_table.h"
#include "formats/xls/record_cursor.h"
#include "sheet/workbook.h"

namespace quill::xls {

namespace {

constexpr std::uint16_t kNote = 0x001C;
constexpr std::uint16_t kObject = 0x005D;
constexpr std::uint16_t kTextObject = 0x01B6;
constexpr std::uint16_t kRow = 0x0208;
constexpr std::uint16_t kColumnInfo = 0x007D;
constexpr std::uint16_t kMergedCells = 0x00E5;
constexpr std::uint16_t kMulRk = 0x00BD;
constexpr std::uint16_t kMulBlank = 0x00BE;

// Cell records that start with row, column and style index.
constexpr std::uint16_t kCellRecords[] = {0x0201, 0x0203, 0x0204, 0x0205,
                                          0x027E, 0x00D6, 0x00FD, 0x0006};

constexpr std::uint16_t kCommentObject = 0x0019;  // the kind of an OBJ holding a note
constexpr std::uint16_t kNoteContinues = 0xFFFF;  // the row of a BIFF5 NOTE that goes on
constexpr long kLastColumn = 256;                 // BIFF5 and BIFF8 sheets are 256 wide

bool isCellRecord(std::uint16_t type) {
  return std::find(std::begin(kCellRecords), std::end(kCellRecords), type) !=
         std::end(kCellRecords);
}

}  // namespace

SheetContentsReader::SheetContentsReader(BookContents& book, const BookState& state,
                                         std::string sheetName)
    : book_(book), state_(state), sheetName_(std::move(sheetName)), wanted_(book.wanted()) {}

void SheetContentsReader::read(const Record& record) {
  if (wanted_.formats) {
    if (isCellRecord(record.type)) return readCellStyle(record);
    if (record.type == kMulRk) return readStyleRun(record, 6);
    if (record.type == kMulBlank) return readStyleRun(record, 2);
  }
  if (wanted_.notes) {
    if (record.type == kNote) return readNote(record);
    if (record.type == kObject) return readObject(record);
    if (record.type == kTextObject) return readTextObject(record);
  }
  if (wanted_.hidden) {
    if (record.type == kRow) return readRow(record);
    if (record.type == kColumnInfo) return readColumns(record);
  }
  if (wanted_.merged && record.type == kMergedCells) readMerged(record);
}

void SheetContentsReader::readNote(const Record& record) {
  RecordCursor cursor(record);
  const std::uint16_t row = cursor.u16();
  const std::uint16_t column = cursor.u16();
  if (state_.biff == Biff::V8) {
    StoredNote note{row + 1L, column + 1L, 0, {}, {}};
    cursor.skip(2);  // whether it is shown
    note.object = cursor.u16();
    readUnicodeString(cursor, note.author, 2);
    notes_.push_back(std::move(note));
    return;
  }
  // BIFF5 keeps the text in the record, carried on by NOTE records of row 0xFFFF.
  const std::size_t length = cursor.u16();
  if (row == kNoteContinues) {
    if (notes_.empty()) return;  // a continuation of no note
    cursor.appendByteChars(notes_.back().text, std::min(length, cursor.remaining()),
                           state_.codepage);
    return;
  }
  StoredNote note{row + 1L, column + 1L, 0, {}, {}};
  cursor.appendByteChars(note.text, std::min(length, cursor.remaining()), state_.codepage);
  notes_.push_back(std::move(note));
}

void SheetContentsReader::readObject(const Record& record) {
  commentObject_.reset();
  if (state_.biff != Biff::V8) return;
  RecordCursor cursor(record);
  cursor.skip(4);  // the common data's subrecord type and size
  const std::uint16_t kind = cursor.u16();
  const std::uint16_t id = cursor.u16();
  if (kind == kCommentObject) commentObject_ = id;
}

void SheetContentsReader::readTextObject(const Record& record) {
  if (!commentObject_) return;
  const std::uint16_t object = *commentObject_;
  commentObject_.reset();
  RecordCursor cursor(record);
  cursor.skip(10);  // options, rotation, reserved
  const std::size_t length = cursor.u16();
  std::string& text = objectTexts_[object];
  text.clear();
  // The characters are in the first CONTINUE joined to the record, opened by an option byte.
  if (length == 0 || record.segmentEnds.empty()) return;
  const std::size_t start = record.segmentEnds.front();
  if (start < cursor.position() || start >= record.data.size())
    throw WorkbookError("the text of a note in sheet \"" + sheetName_ +
                        "\" is missing (damaged file)");
  cursor.skip(start - cursor.position());
  const bool wide = (cursor.u8() & 0x01) != 0;
  cursor.appendUnicodeChars(text, length, wide);
}

void SheetContentsReader::readRow(const Record& record) {
  RecordCursor cursor(record);
  const long row = cursor.u16() + 1L;
  cursor.skip(10);  // columns in use, height, reserved
  if ((cursor.u16() & 0x0020) != 0) hiddenRows_.push_back({row, row});
}

void SheetContentsReader::readColumns(const Record& record) {
  RecordCursor cursor(record);
  const long first = cursor.u16() + 1L;
  const long last = std::min(cursor.u16() + 1L, kLastColumn);
  cursor.skip(4);  // width, style
  if ((cursor.u16() & 0x0001) != 0 && first <= last) hiddenColumns_.push_back({first, last});
}

void SheetContentsReader::readMerged(const Record& record) {
  RecordCursor cursor(record);
  const std::size_t count = cursor.u16();
  if (count * 8 > cursor.remaining())
    throw WorkbookError("the merged ranges of sheet \"" + sheetName_ +
                        "\" are longer than their record (damaged file)");
  for (std::size_t i = 0; i < count; ++i) {
    Area area;
    area.firstRow = cursor.u16() + 1L;
    area.lastRow = cursor.u16() + 1L;
    area.firstColumn = cursor.u16() + 1L;
    area.lastColumn = cursor.u16() + 1L;
    if (area.firstRow <= area.lastRow && area.firstColumn <= area.lastColumn)
      merged_.push_back(area);
  }
}

void SheetContentsReader::readCellStyle(const Record& record) {
  RecordCursor cursor(record);
  const long row = cursor.u16() + 1L;
  const long column = cursor.u16() + 1L;
  addCellStyle(row, column, cursor.u16());
}

// MULRK (style and number, six bytes a cell) and MULBLANK (style alone): row, first
// column, the cells, last column.
void SheetContentsReader::readStyleRun(const Record& record, std::size_t width) {
  RecordCursor cursor(record);
  const long row = cursor.u16() + 1L;
  const long first = cursor.u16() + 1L;
  if (cursor.remaining() < 2 || (cursor.remaining() - 2) % width != 0)
    throw WorkbookError("a record of several cells at offset " + std::to_string(record.offset) +
                        " in sheet \"" + sheetName_ + "\" has a damaged length");
  const long count = long((cursor.remaining() - 2) / width);
  for (long i = 0; i < count; ++i) {
    const std::uint16_t xf = cursor.u16();
    cursor.skip(width - 2);
    addCellStyle(row, first + i, xf);
  }
}

void SheetContentsReader::addCellStyle(long row, long column, std::uint16_t xf) {
  if (column > kMaxColumns)
    throw WorkbookError("sheet \"" + sheetName_ + "\" has a cell in column " +
                        std::to_string(column) + ", outside the 16,384 columns of a worksheet");
  // Cells of the default format are left out, so that plain cells cost nothing here.
  if (const std::uint32_t format = book_.formatOfStyle(xf); format != 0)
    formats_.push_back({row, column, format});
}

void SheetContentsReader::finish(SheetContents& contents) {
  for (StoredNote& stored : notes_) {
    CellNote note{stored.row, stored.column, std::move(stored.author), std::move(stored.text)};
    if (state_.biff == Biff::V8) {
      const auto text = objectTexts_.find(stored.object);
      if (text != objectTexts_.end()) note.text = text->second;
    }
    contents.notes.push_back(std::move(note));
  }
  sortNotes(contents.notes);
  storeSheetLayout(contents, std::move(hiddenRows_), std::move(hiddenColumns_), std::move(merged_),
                   std::move(formats_));
}

}  // namespace quill::xls
