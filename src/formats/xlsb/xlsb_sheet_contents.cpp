#include "formats/xlsb/xlsb_sheet_contents.h"

#include <algorithm>

#include "formats/package/cell_format_table.h"
#include "sheet/address.h"
#include "sheet/workbook.h"

namespace quill::xlsb {

namespace {

constexpr const char* kLimits = "1,048,576 rows and 16,384 columns of a worksheet";

bool isCellRecord(std::uint32_t type) {
  return (type >= record::kCellBlank && type <= record::kFormulaError) ||
         type == record::kCellRichString;
}

// A range's rows and columns, 0-based first and last, checked against the sheet's limits.
bool withinLimits(std::uint32_t firstRow, std::uint32_t lastRow, std::uint32_t firstColumn,
                  std::uint32_t lastColumn) {
  return firstRow <= lastRow && lastRow < std::uint32_t(kMaxRows) && firstColumn <= lastColumn &&
         lastColumn < std::uint32_t(kMaxColumns);
}

}  // namespace

void SheetContentsRecords::fail(const std::string& reason) const {
  throw WorkbookError(errorPrefix_ + " " + reason);
}

void SheetContentsRecords::take(const Record& record) {
  const ContentsToRead& wanted = context_.wanted;
  const bool cell = isCellRecord(record.type);
  if (record.type != record::kRowHeader && !(wanted.formats && cell) &&
      !(wanted.hidden && record.type == record::kColumnInfo) &&
      !(wanted.merged && record.type == record::kMergeCell))
    return;
  FieldCursor cursor(record, errorPrefix_);
  if (record.type == record::kRowHeader)
    readRow(cursor);
  else if (cell)
    readCellFormat(cursor);
  else if (record.type == record::kColumnInfo)
    readColumns(cursor);
  else
    readMerged(cursor);
}

void SheetContentsRecords::readRow(FieldCursor& cursor) {
  const std::uint32_t row = cursor.u32();
  if (row >= std::uint32_t(kMaxRows))
    fail("has row " + std::to_string(row + 1ul) + ", outside the " + kLimits);
  row_ = long(row) + 1;
  if (!context_.wanted.hidden) return;
  cursor.skip(4 + 2 + 1);  // style, height, extra space flags
  if ((cursor.u8() & 0x10) != 0) hiddenRows_.push_back({row_, row_});
}

void SheetContentsRecords::readColumns(FieldCursor& cursor) {
  const std::uint32_t first = cursor.u32();
  const std::uint32_t last = cursor.u32();
  cursor.skip(4 + 4);  // width, style
  if ((cursor.u16() & 0x0001) == 0) return;
  if (first > last || last >= std::uint32_t(kMaxColumns))
    fail("hides columns " + std::to_string(first + 1ul) + " to " + std::to_string(last + 1ul) +
         ", outside the " + kLimits);
  hiddenColumns_.push_back({long(first) + 1, long(last) + 1});
}

void SheetContentsRecords::readMerged(FieldCursor& cursor) {
  const std::uint32_t firstRow = cursor.u32();
  const std::uint32_t lastRow = cursor.u32();
  const std::uint32_t firstColumn = cursor.u32();
  const std::uint32_t lastColumn = cursor.u32();
  if (!withinLimits(firstRow, lastRow, firstColumn, lastColumn))
    fail("has a merged range outside the " + std::string(kLimits));
  merged_.push_back(
      {long(firstRow) + 1, long(firstColumn) + 1, long(lastRow) + 1, long(lastColumn) + 1});
}

void SheetContentsRecords::readCellFormat(FieldCursor& cursor) {
  const std::uint32_t column = cursor.u32();
  const std::uint32_t style = cursor.u32() & 0xFFFFFFu;
  // The cell reader has checked the row and column already.
  if (style >= context_.cellFormats.size() || row_ == 0) return;
  if (const std::uint32_t format = context_.cellFormats[style]; format != 0)
    formats_.push_back({row_, long(column) + 1, format});
}

void SheetContentsRecords::finish(SheetContents& contents) {
  storeSheetLayout(contents, std::move(hiddenRows_), std::move(hiddenColumns_), std::move(merged_),
                   std::move(formats_));
}

void readComments(const ZipArchive& zip, std::string_view part, std::vector<CellNote>& notes) {
  const std::string errorPrefix = partErrorPrefix(zip, part);
  std::vector<std::string> authors;
  readRecords(zip, part, errorPrefix, [&](const Record& record) {
    if (record.type != record::kCommentAuthor && record.type != record::kBeginComment &&
        record.type != record::kCommentText)
      return;
    FieldCursor cursor(record, errorPrefix);
    if (record.type == record::kCommentAuthor) {
      cursor.appendWideString(authors.emplace_back());
    } else if (record.type == record::kBeginComment) {
      const std::uint32_t author = cursor.u32();
      const std::uint32_t firstRow = cursor.u32();
      cursor.skip(4);
      const std::uint32_t firstColumn = cursor.u32();
      if (!withinLimits(firstRow, firstRow, firstColumn, firstColumn))
        throw WorkbookError(errorPrefix + " has a note outside the " + kLimits);
      CellNote& note = notes.emplace_back();
      note.row = long(firstRow) + 1;
      note.column = long(firstColumn) + 1;
      if (author < authors.size()) note.author = authors[author];
    } else if (!notes.empty()) {
      cursor.skip(1);  // whether runs and phonetic text follow the text
      notes.back().text.clear();
      cursor.appendWideString(notes.back().text);
    }
  });
  sortNotes(notes);
}

}  // namespace quill::xlsb
