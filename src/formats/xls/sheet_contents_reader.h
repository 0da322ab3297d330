#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "formats/xls/book_contents.h"
#include "formats/xls/record_reader.h"
#include "sheet/workbook_contents.h"

namespace quill::xls {

// Reads what a BIFF5 or BIFF8 worksheet holds besides its cells' values, as far as asked
// for: notes (NOTE, with the text of BIFF8 notes in the TXO after their OBJ), hidden rows
// (ROW) and columns (COLINFO), merged ranges (MERGEDCELLS) and each cell's style.
class SheetContentsReader {
 public:
  SheetContentsReader(BookContents& book, const BookState& state, std::string sheetName);

  // Reads one record of the worksheet's own substream; records of other kinds pass.
  void read(const Record& record);
  // Puts what was read, in order, into the sheet's contents.
  void finish(SheetContents& contents);

 private:
  struct StoredNote {
    long row = 0;
    long column = 0;
    std::uint16_t object = 0;
    std::string author;
    std::string text;  // BIFF5 only: BIFF8 keeps it in the object's TXO
  };

  void readNote(const Record& record);
  void readObject(const Record& record);
  void readTextObject(const Record& record);
  void readRow(const Record& record);
  void readColumns(const Record& record);
  void readMerged(const Record& record);
  void readCellStyle(const Record& record);
  void readStyleRun(const Record& record, std::size_t width);
  void addCellStyle(long row, long column, std::uint16_t xf);

  BookContents& book_;
  const BookState& state_;
  std::string sheetName_;
  const ContentsToRead wanted_;
  std::vector<StoredNote> notes_;
  std::map<std::uint16_t, std::string> objectTexts_;  // BIFF8 note texts by their object
  std::optional<std::uint16_t> commentObject_;        // the note object whose TXO comes next
  std::vector<LineSpan> hiddenRows_;
  std::vector<LineSpan> hiddenColumns_;
  std::vector<Area> merged_;
  std::vector<FormattedCell> formats_;
};

}  // namespace quill::xls
