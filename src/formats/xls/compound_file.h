#pragma once

#include <memory>
#include <string>

#include "formats/xls/byte_source.h"

namespace quill::xls {

// Which stream of an .xls file holds its records.
enum class StreamKind {
  Workbook,  // "Workbook" of a compound file: BIFF8 unless its first record says otherwise
  Book,      // "Book" of a compound file: BIFF5
  Bare,      // the file itself is the record stream: BIFF2 to BIFF4 single worksheets
};

// The record stream of an .xls file, read through libgsf in chunks.
struct WorkbookStream {
  std::unique_ptr<ByteSource> source;
  StreamKind kind = StreamKind::Workbook;
};

// Opens the record stream of an .xls file: the "Workbook" stream of a compound file (or
// "Book" when there is none; names matched without regard to case), or the file itself when
// it starts with a BIFF record. Throws WorkbookError with the reason only.
WorkbookStream openWorkbookStream(const std::string& path);

}  // namespace quill::xls
