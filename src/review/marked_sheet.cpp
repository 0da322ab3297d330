#include "review/marked_sheet.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "review/cell_values.h"
#include "review/written_text.h"
#include "sheet/address.h"

namespace quill {

namespace {

constexpr long kNone = std::numeric_limits<long>::max();

// Walks a worksheet's rows that hold cells or marks, in order, with the marks of each.
class MarkedRows {
 public:
  MarkedRows(const Worksheet& sheet, const SheetMarks& marks) : sheet_(sheet), marks_(marks) {
    const Area used = sheet.usedArea();
    lastRow_ = used.lastRow;
    lastColumn_ = used.lastColumn;
    for (const CellMark& mark : marks.cells) {
      lastRow_ = std::max(lastRow_, mark.row);
      lastColumn_ = std::max(lastColumn_, mark.column);
    }
    if (!marks.rows.empty()) lastRow_ = std::max(lastRow_, marks.rows.back().line);
    if (!marks.columns.empty()) lastColumn_ = std::max(lastColumn_, marks.columns.back().line);
  }

  long lastColumn() const { return lastColumn_; }

  // The first row from `row` on that holds a cell or a mark; kNone past the last.
  long nextRow(long row) {
    long next = kNone;
    const long inUse = row <= lastRow_ ? sheet_.firstRowInUseFrom(row) : 0;
    if (inUse > 0) next = inUse;
    while (cell_ < marks_.cells.size() && marks_.cells[cell_].row < row) ++cell_;
    if (cell_ < marks_.cells.size()) next = std::min(next, marks_.cells[cell_].row);
    const auto& whole = marks_.rows;
    while (markedRow_ < whole.size() && whole[markedRow_].line < row) ++markedRow_;
    if (markedRow_ < whole.size()) next = std::min(next, whole[markedRow_].line);
    return next;
  }

  // The mark of the whole row nextRow() gave last, if it has one.
  std::optional<MarkKind> rowMark(long row) const {
    const auto& whole = marks_.rows;
    if (markedRow_ < whole.size() && whole[markedRow_].line == row) return whole[markedRow_].kind;
    return std::nullopt;
  }

  // The mark of the cell in the row nextRow() gave last, or null; columns asked in order.
  const CellMark* cellMark(long row, long column) {
    while (cell_ < marks_.cells.size() && marks_.cells[cell_].row == row &&
           marks_.cells[cell_].column < column)
      ++cell_;
    if (cell_ < marks_.cells.size() && marks_.cells[cell_].row == row &&
        marks_.cells[cell_].column == column)
      return &marks_.cells[cell_];
    return nullptr;
  }

 private:
  const Worksheet& sheet_;
  const SheetMarks& marks_;
  long lastRow_ = 0;
  long lastColumn_ = 0;
  std::size_t cell_ = 0;
  std::size_t markedRow_ = 0;
};

// Whether a formula text can be written as the formula of its cell: not an array formula's
// braces, nor the mark of a formula that could not be read.
bool writableFormula(std::string_view formula) {
  return formula.size() > 1 && formula.front() == '=';
}

void writeCell(lxw_worksheet* out, lxw_row_t row, lxw_col_t column, std::string_view text,
               std::string_view formula, std::optional<MarkKind> mark, ReviewFormats& formats) {
  const CellValue value = cellValue(text);
  lxw_format* format = formats.cell(value.type, mark);
  if (writableFormula(formula)) {
    const std::string written = writtenText(formula);
    if (value.type == ValueType::Text)
      checkWritten(worksheet_write_formula_str(out, row, column, written.c_str(), format,
                                               writtenText(text).c_str()));
    else
      checkWritten(
          worksheet_write_formula_num(out, row, column, written.c_str(), format, value.number));
    return;
  }
  if (text.empty()) {
    if (format != nullptr) checkWritten(worksheet_write_blank(out, row, column, format));
    return;
  }
  switch (value.type) {
    case ValueType::Text:
      checkWritten(worksheet_write_string(out, row, column, writtenText(text).c_str(), format));
      return;
    case ValueType::Boolean:
      checkWritten(worksheet_write_boolean(out, row, column, int(value.number), format));
      return;
    default:
      checkWritten(worksheet_write_number(out, row, column, value.number, format));
  }
}

}  // namespace

void writeMarkedSheet(lxw_worksheet* out, const Worksheet& sheet, const SheetMarks* marks,
                      ReviewFormats& formats) {
  static const SheetMarks kNoMarks;
  const SheetMarks& given = marks != nullptr ? *marks : kNoMarks;
  MarkedRows rows(sheet, given);
  const long lastColumn = std::min(rows.lastColumn(), kMaxColumns);
  std::vector<std::optional<MarkKind>> columnMarks(static_cast<std::size_t>(lastColumn) + 1);
  for (const LineMark& mark : given.columns) {
    if (mark.line > lastColumn) continue;
    columnMarks[std::size_t(mark.line)] = mark.kind;
    checkWritten(worksheet_set_column(out, lxw_col_t(mark.line - 1), lxw_col_t(mark.line - 1),
                                      LXW_DEF_COL_WIDTH, formats.cell(ValueType::Text, mark.kind)));
  }
  std::vector<std::string_view> texts(static_cast<std::size_t>(lastColumn));
  std::vector<std::string> notes;
  for (long row = rows.nextRow(1); row != kNone && row <= kMaxRows; row = rows.nextRow(row + 1)) {
    const auto at = lxw_row_t(row - 1);
    const std::optional<MarkKind> rowMark = rows.rowMark(row);
    if (rowMark)
      checkWritten(
          worksheet_set_row(out, at, LXW_DEF_ROW_HEIGHT, formats.cell(ValueType::Text, *rowMark)));
    std::fill(texts.begin(), texts.end(), std::string_view());
    sheet.rowTexts(row, 1, texts);
    for (long column = 1; column <= lastColumn; ++column) {
      const std::string_view text = texts[std::size_t(column - 1)];
      const CellMark* mark = rows.cellMark(row, column);
      std::optional<MarkKind> kind;
      if (mark != nullptr)
        kind = mark->kind;
      else if (rowMark)
        kind = rowMark;
      else
        kind = columnMarks[std::size_t(column)];
      const std::string_view formula = sheet.cellFormula(row, column);
      if (text.empty() && formula.empty() && mark == nullptr) continue;
      writeCell(out, at, lxw_col_t(column - 1), text, formula, kind, formats);
      if (mark != nullptr && !mark->note.empty())
        checkWritten(worksheet_write_comment(out, at, lxw_col_t(column - 1),
                                             writtenText(mark->note).c_str()));
    }
  }
}

}  // namespace quill
