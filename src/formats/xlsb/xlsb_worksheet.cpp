#include "formats/xlsb/xlsb_worksheet.h"

#include <memory>
#include <string>

#include "formats/xls/cell_reader.h"
#include "formats/xlsb/xlsb_cell_formulas.h"
#include "formats/xlsb/xlsb_records.h"
#include "sheet/cell_text.h"

namespace quill::xlsb {

namespace {

constexpr const char* kLimits = "1,048,576 rows and 16,384 columns of a worksheet";

// Turns the row and cell records of a worksheet part into cells of the stored sheet.
class WorksheetRecords {
 public:
  WorksheetRecords(const ZipArchive& zip, std::string_view part, const WorksheetContext& context,
                   StoredSheet& sheet)
      : errorPrefix_(partErrorPrefix(zip, part) + " (sheet \"" + sheet.name() + "\")"),
        context_(context),
        sheet_(sheet) {
    if (context.formulaNames != nullptr)
      formulas_ = std::make_unique<CellFormulas>(*context.formulaNames, sheet);
  }

  void take(const Record& record);
  const std::string& errorPrefix() const { return errorPrefix_; }

 private:
  // Reads the column and style every cell record starts with and checks the position.
  void startCell(FieldCursor& cursor);
  void addNumber(double value);
  void addSharedString(std::uint32_t index);
  [[noreturn]] void fail(const std::string& reason) const;

  std::string errorPrefix_;
  const WorksheetContext& context_;
  StoredSheet& sheet_;
  long row_ = 0;  // 1-based; 0 before the first row record
  long column_ = 0;
  std::uint32_t style_ = 0;
  std::string text_;
  std::unique_ptr<CellFormulas> formulas_;  // only when formulas are read
};

void WorksheetRecords::fail(const std::string& reason) const {
  throw WorkbookError(errorPrefix_ + " " + reason);
}

void WorksheetRecords::startCell(FieldCursor& cursor) {
  const std::uint32_t column = cursor.u32();
  style_ = cursor.u32() & 0xFFFFFFu;  // the high byte holds display flags
  if (row_ == 0) fail("has a cell before the first row record");
  if (column >= std::uint32_t(kMaxColumns))
    fail("has a cell in row " + std::to_string(row_) + ", column " + std::to_string(column + 1ul) +
         ", outside the " + kLimits);
  column_ = long(column) + 1;
}

void WorksheetRecords::addNumber(double value) {
  text_.clear();
  if (context_.dateStyles.isDate(style_))
    appendDateOrNumberText(text_, value, context_.date1904);
  else
    appendNumberText(text_, value);
  sheet_.add(row_, column_, text_);
}

void WorksheetRecords::addSharedString(std::uint32_t index) {
  if (index >= context_.sharedStrings.size())
    fail("refers to shared string " + std::to_string(index) + " in cell " +
         cellAddress(row_, column_) + ", but the table holds only " +
         std::to_string(context_.sharedStrings.size()));
  sheet_.addTrimmed(row_, column_, context_.sharedStrings[index]);
}

void WorksheetRecords::take(const Record& record) {
  if (formulas_ && (record.type == record::kSharedFormula || record.type == record::kArrayFormula))
    return formulas_->readGroup(record, errorPrefix_);
  if (record.type > record::kFormulaError && record.type != record::kCellRichString) return;
  FieldCursor cursor(record, errorPrefix_);
  if (record.type == record::kRowHeader) {
    const std::uint32_t row = cursor.u32();
    if (row >= std::uint32_t(kMaxRows))
      fail("has row " + std::to_string(row + 1ul) + ", outside the " + kLimits);
    row_ = long(row) + 1;
    return;
  }
  startCell(cursor);
  switch (record.type) {
    case record::kCellRk:
      addNumber(cursor.rk());
      return;
    case record::kCellReal:
    case record::kFormulaNumber:
      addNumber(cursor.f64());
      break;
    case record::kCellError:
    case record::kFormulaError:
      // Error codes are those of the older binary format.
      sheet_.add(row_, column_, xls::biffErrorText(cursor.u8()));
      break;
    case record::kCellBool:
    case record::kFormulaBool:
      sheet_.add(row_, column_, booleanText(cursor.u8() != 0));
      break;
    case record::kCellString:
    case record::kFormulaString:
      text_.clear();
      cursor.appendWideString(text_);
      sheet_.add(row_, column_, text_);
      break;
    case record::kCellSharedString:
      addSharedString(cursor.u32());
      return;
    case record::kCellRichString:
      cursor.skip(1);  // whether formatting runs follow the text
      text_.clear();
      cursor.appendWideString(text_);
      sheet_.add(row_, column_, text_);
      return;
    default:  // a blank cell: formatting only
      return;
  }
  if (formulas_ && record.type >= record::kFormulaString && record.type <= record::kFormulaError)
    formulas_->readCellFormula(cursor, row_, column_);
}

}  // namespace

void readWorksheetCells(const ZipArchive& zip, std::string_view part,
                        const WorksheetContext& context, StoredSheet& sheet) {
  WorksheetRecords records(zip, part, context, sheet);
  if (context.contents == nullptr) {
    readRecords(zip, part, records.errorPrefix(),
                [&](const Record& record) { records.take(record); });
    return;
  }
  SheetContentsRecords contents(*context.contents, records.errorPrefix());
  readRecords(zip, part, records.errorPrefix(), [&](const Record& record) {
    records.take(record);
    contents.take(record);
  });
  contents.finish(sheet.contents());
}

}  // namespace quill::xlsb
