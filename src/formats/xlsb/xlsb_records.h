#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "base/byte_cursor.h"
#include "formats/package/rk_number.h"
#include "formats/package/zip_archive.h"

namespace quill::xlsb {

// The record types this reader acts on; every other record is skipped.
namespace record {
constexpr std::uint32_t kRowHeader = 0;
constexpr std::uint32_t kCellBlank = 1;
constexpr std::uint32_t kCellRk = 2;
constexpr std::uint32_t kCellError = 3;
constexpr std::uint32_t kCellBool = 4;
constexpr std::uint32_t kCellReal = 5;
constexpr std::uint32_t kCellString = 6;
constexpr std::uint32_t kCellSharedString = 7;
constexpr std::uint32_t kFormulaString = 8;
constexpr std::uint32_t kFormulaNumber = 9;
constexpr std::uint32_t kFormulaBool = 10;
constexpr std::uint32_t kFormulaError = 11;
constexpr std::uint32_t kSharedStringItem = 19;
constexpr std::uint32_t kCellRichString = 62;
constexpr std::uint32_t kNumberFormat = 44;
constexpr std::uint32_t kCellFormat = 47;
constexpr std::uint32_t kBeginSheetData = 145;
constexpr std::uint32_t kEndSheetData = 146;
constexpr std::uint32_t kWorkbookProperties = 153;
constexpr std::uint32_t kSheetEntry = 156;
constexpr std::uint32_t kDefinedName = 39;
constexpr std::uint32_t kSelfReference = 357;
constexpr std::uint32_t kSameReference = 358;
constexpr std::uint32_t kExternalBook = 355;
constexpr std::uint32_t kAddInReference = 667;
constexpr std::uint32_t kSheetIndexTable = 362;
constexpr std::uint32_t kArrayFormula = 426;
constexpr std::uint32_t kSharedFormula = 427;
constexpr std::uint32_t kBeginNumberFormats = 615;
constexpr std::uint32_t kEndNumberFormats = 616;
constexpr std::uint32_t kBeginCellFormats = 617;
constexpr std::uint32_t kEndCellFormats = 618;
constexpr std::uint32_t kFont = 43;
constexpr std::uint32_t kFill = 45;
constexpr std::uint32_t kIndexedColour = 475;
constexpr std::uint32_t kColumnInfo = 60;
constexpr std::uint32_t kMergeCell = 176;
constexpr std::uint32_t kCommentAuthor = 632;
constexpr std::uint32_t kBeginComment = 635;
constexpr std::uint32_t kCommentText = 637;
}  // namespace record

// One record of a binary part: its type and the bytes of its body.
struct Record {
  std::uint32_t type = 0;
  std::string_view data;
  std::uint64_t offset = 0;  // of the record header in the part, for messages
};

// The largest record body accepted; real records stay far below it (a shared string of
// 32,767 characters with all its runs takes some 200 KB).
constexpr std::size_t kMaxRecordSize = std::size_t(1) << 24;

// Splits a part into records as its inflated chunks arrive: a one- or two-byte type of
// seven bits a byte and a one- to four-byte size of seven bits a byte, the high bit of each
// byte saying that another follows, then the body. A record split across chunks is
// gathered first; a size past kMaxRecordSize or a part that ends inside a record throws
// WorkbookError.
class RecordSplitter {
 public:
  RecordSplitter(std::string errorPrefix, std::function<void(const Record&)> consume)
      : errorPrefix_(std::move(errorPrefix)), consume_(std::move(consume)) {}

  void feed(std::string_view chunk);
  void finish() const;

 private:
  // Consumes the complete records at the start of bytes; gives how many bytes they took.
  std::size_t consumeRecords(std::string_view bytes);
  [[noreturn]] void fail(const std::string& reason) const;

  std::string errorPrefix_;
  std::function<void(const Record&)> consume_;
  std::string pending_;  // the start of a record that the next chunk completes
  std::uint64_t offset_ = 0;
};

// The start of every error message about a part: "file" cannot be read: the part "p".
std::string partErrorPrefix(const ZipArchive& zip, std::string_view part);

// Streams every record of a part of the package to consume. Throws WorkbookError starting
// with errorPrefix when the part is missing, damaged or ends inside a record.
void readRecords(const ZipArchive& zip, std::string_view part, const std::string& errorPrefix,
                 const std::function<void(const Record&)>& consume);

// Reads the fields of one record body in order; a read past its end throws WorkbookError.
class FieldCursor final : public ByteCursor {
 public:
  FieldCursor(const Record& record, std::string_view errorPrefix)
      : ByteCursor({reinterpret_cast<const std::uint8_t*>(record.data.data()), record.data.size()}),
        record_(record),
        errorPrefix_(errorPrefix) {}

  // An RkNumber: a 30-bit integer or the high 30 bits of a double, optionally divided by 100.
  double rk() { return rkNumber(u32()); }

  // A wide string: a 32-bit count of UTF-16 code units, then the units, appended as UTF-8
  // (an unpaired surrogate as U+FFFD). The count is checked against the bytes present.
  void appendWideString(std::string& out);
  // The same where a count of 0xFFFFFFFF stands for no string; false then.
  bool appendNullableWideString(std::string& out);

 private:
  [[noreturn]] void ranShort() const override;

  const Record& record_;
  std::string_view errorPrefix_;
};

}  // namespace quill::xlsb
