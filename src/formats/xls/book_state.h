#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "formats/xls/codepage.h"
#include "formats/xls/date_styles.h"
#include "formats/xls/formula_tables.h"
#include "formats/xls/record_reader.h"
#include "sheet/text_arena.h"

namespace quill::xls {

// The BIFF versions told apart; BIFF7 files are read as BIFF5.
enum class Biff { V2, V3, V4, V5, V8 };

// What the workbook-wide records say, as the cell records need it.
struct BookState {
  explicit BookState(TextArena& textArena) : arena(textArena) {}

  Biff biff = Biff::V8;
  bool date1904 = false;
  Codepage codepage;
  bool codepageRead = false;  // only the first CODEPAGE record counts
  DateStyles styles;
  std::vector<std::string_view> sharedStrings;  // in the arena, trimmed
  TextArena& arena;
  std::string scratch;          // reused for each cell's text
  bool readFormulas = false;    // whether cells' formulas are read besides their values
  bool keepSpaces = false;      // whether texts keep their leading and trailing spaces
  FormulaTables formulaTables;  // filled only when formulas are read
};

// Reads the records that describe the whole workbook: CODEPAGE, DATEMODE, FORMAT, XF and
// FILEPASS (which throws WorkbookError: the file is password-protected). Returns whether the
// record was one of them.
bool readBookRecord(const Record& record, BookState& book);

// Reads an SST record with its CONTINUE pieces into book.sharedStrings.
void readSharedStrings(const Record& record, BookState& book);

}  // namespace quill::xls
