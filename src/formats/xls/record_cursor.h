#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "base/byte_cursor.h"
#include "formats/xls/record_reader.h"

namespace quill::xls {

class Codepage;

// Reads the fields of one record in order; every read is checked against the bytes the
// record holds and a short record throws WorkbookError.
class RecordCursor final : public ByteCursor {
 public:
  explicit RecordCursor(const Record& record) : ByteCursor(record.data), record_(record) {}

  // BIFF8 characters: one byte each (Latin-1) or UTF-16LE. Where the characters run on into
  // a joined CONTINUE piece, that piece starts with a new option byte whose bit 0 says which.
  void appendUnicodeChars(std::string& out, std::size_t count, bool highByte);
  // count 8-bit characters in the workbook's code page.
  void appendByteChars(std::string& out, std::size_t count, const Codepage& codepage);

 private:
  [[noreturn]] void ranShort() const override;
  std::size_t pieceEnd() const;

  const Record& record_;
};

// A BIFF8 string (XLUnicodeString): its length in lengthBytes (1 or 2), an option byte,
// the counts of rich-text runs and phonetic data when flagged, the characters, then the
// runs and phonetic data, which are skipped. The text is appended to out as UTF-8.
void readUnicodeString(RecordCursor& cursor, std::string& out, int lengthBytes);
// A BIFF2 to BIFF5 string: its length in lengthBytes, then 8-bit characters.
void readByteString(RecordCursor& cursor, std::string& out, int lengthBytes,
                    const Codepage& codepage);

}  // namespace quill::xls
