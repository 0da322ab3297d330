#pragma once

#include <string>
#include <string_view>

#include "sheet/stored_workbook.h"

namespace quill::csv {

// Splits text fed in blocks of any size into fields at the separator (a comma unless told
// otherwise) and adds them to a sheet: quoted fields with doubled quotes and line breaks
// inside, CRLF, LF or CR line ends, a UTF-8 byte-order mark at the very start skipped.
class CsvParser {
 public:
  explicit CsvParser(StoredSheet& sheet, char separator = ',')
      : sheet_(sheet), separator_(separator) {}

  void feed(std::string_view block);
  // Ends the last record; call once after the last block.
  void finish();

 private:
  enum class State { FieldStart, Unquoted, Quoted, QuoteInQuoted };

  void endField();
  void endRecord();
  bool skipByteOrderMark(std::string_view& block);

  StoredSheet& sheet_;
  char separator_;
  State state_ = State::FieldStart;
  std::string field_;
  std::string bomPrefix_;
  bool atStart_ = true;
  bool afterCarriageReturn_ = false;
  long row_ = 1;
  long column_ = 1;
};

}  // namespace quill::csv
