#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "formats/xls/book_state.h"
#include "formats/xls/cell_formulas.h"
#include "formats/xls/record_reader.h"
#include "sheet/deferred_texts.h"
#include "sheet/stored_workbook.h"

namespace quill::xls {

// Turns the cell records of one worksheet into cell texts. The worksheet joins the workbook
// with its first cell, or at finish(), so that a sheet found to be no worksheet half way
// (a dialog sheet) can still be left out.
class CellReader {
 public:
  CellReader(BookState& book, StoredWorkbook& workbook, std::string sheetName);

  // Reads a cell record; false for a record of another kind.
  bool read(const Record& record);
  // Adds the worksheet, even when it holds no cell, and gives the cells read their texts;
  // gives the worksheet.
  StoredSheet& finish();
  // Gives the cells read so far their texts without adding the worksheet: for a sheet left
  // half way whose cells, if any, stay in the workbook.
  void settle();

 private:
  StoredSheet& sheet();
  void addNumber(long row, long column, double value, bool isDate);
  void addText(long row, long column);
  void readNumber(const Record& record);
  void readRk(const Record& record);
  void readMulRk(const Record& record);
  void readLabel(const Record& record);
  void readSharedLabel(const Record& record);
  void readBoolErr(const Record& record);
  void readFormula(const Record& record);
  void readFormulaString(const Record& record);
  void readFormulaTokens(const Record& record, long row, long column);
  bool isDateStyle(std::uint16_t xf) { return book_.styles.styleIsDate(xf); }

  BookState& book_;
  StoredWorkbook& workbook_;
  std::string sheetName_;
  StoredSheet* sheet_ = nullptr;
  DeferredTexts deferred_;  // shared-string and whole-day cells, given their texts at the end
  std::unique_ptr<CellFormulas> formulas_;  // made with the first formula when asked for
  // The cell of a formula whose text result comes in the STRING record that follows it.
  long pendingRow_ = 0;
  long pendingColumn_ = 0;
};

// The compared text of a BIFF error code: "Error 2007" for #DIV/0!.
std::string biffErrorText(std::uint8_t code);

}  // namespace quill::xls
