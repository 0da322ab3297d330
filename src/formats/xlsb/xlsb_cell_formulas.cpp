#include "formats/xlsb/xlsb_cell_formulas.h"

#include "base/byte_cursor.h"
#include "sheet/workbook.h"

namespace quill::xlsb {

namespace {

constexpr std::uint8_t kExpressionPointer = 0x01;
// Cells of one group that may wait for it; the group record follows its first cell.
constexpr std::size_t kMaxWaiting = 4096;
// Most cells the array formulas of a sheet may fill, so that hostile ranges stay harmless.
constexpr std::uint64_t kMaxArrayCells = std::uint64_t(1) << 22;

// A formula's token size and tokens, then the size and bytes of its extra data.
void readTokens(FieldCursor& cursor, std::vector<std::uint8_t>& tokens,
                std::vector<std::uint8_t>& extra) {
  const std::size_t size = cursor.u32();
  const auto tokenBytes = cursor.bytes(size);
  tokens.assign(tokenBytes.begin(), tokenBytes.end());
  const std::size_t extraSize = cursor.remaining() >= 4 ? cursor.u32() : 0;
  const auto extraBytes = cursor.bytes(extraSize);
  extra.assign(extraBytes.begin(), extraBytes.end());
}

}  // namespace

void CellFormulas::readCellFormula(FieldCursor& cursor, long row, long column) {
  cursor.u16();  // recalculation flags
  std::vector<std::uint8_t> tokens, extra;
  readTokens(cursor, tokens, extra);
  // A pointer at a group names the row of its first cell, the column in the extra data.
  if (tokens.size() == 5 && tokens[0] == kExpressionPointer && extra.size() >= 4) {
    const Position master{long(littleEndian32(&tokens[1])) + 1,
                          long(littleEndian32(&extra[0])) + 1};
    const auto group = groups_.find(master);
    if (group != groups_.end())
      addFromGroup(group->second, row, column);
    else if (waiting_.size() < kMaxWaiting)
      waiting_.push_back({{row, column}, master});
    return;
  }
  const std::string text =
      decompileFormula(tokens, extra, FormulaDialect::Xlsb, FormulaCell{row, column}, names_);
  if (!text.empty()) sheet_.addFormula(row, column, text);
}

void CellFormulas::readGroup(const Record& record, const std::string& errorPrefix) {
  FieldCursor cursor(record, errorPrefix);
  Group group;
  group.area.firstRow = long(cursor.u32()) + 1;
  group.area.lastRow = long(cursor.u32()) + 1;
  group.area.firstColumn = long(cursor.u32()) + 1;
  group.area.lastColumn = long(cursor.u32()) + 1;
  group.array = record.type == record::kArrayFormula;
  if (group.array) cursor.u8();  // whether it recalculates always
  readTokens(cursor, group.tokens, group.extra);
  const Position master{group.area.firstRow, group.area.firstColumn};
  const Group& stored = groups_[master] = std::move(group);
  if (stored.array) spreadArray(stored, errorPrefix);
  std::erase_if(waiting_, [&](const std::pair<Position, Position>& cell) {
    if (cell.second != master) return false;
    addFromGroup(stored, cell.first.first, cell.first.second);
    return true;
  });
}

// Only the first cell of an array range need hold a formula record; every cell of the
// range shows the formula.
void CellFormulas::spreadArray(const Group& group, const std::string& errorPrefix) {
  const Area& area = group.area;
  if (area.lastRow < area.firstRow || area.lastColumn < area.firstColumn ||
      area.lastRow > kMaxRows || area.lastColumn > kMaxColumns)
    throw WorkbookError(errorPrefix + " has an array formula outside the worksheet");
  arrayCells_ += std::uint64_t(area.rows()) * std::uint64_t(area.columns());
  if (arrayCells_ > kMaxArrayCells)
    throw WorkbookError(errorPrefix + " has array formulas filling more than " +
                        std::to_string(kMaxArrayCells) + " cells");
  for (long row = area.firstRow; row <= area.lastRow; ++row)
    for (long column = area.firstColumn; column <= area.lastColumn; ++column)
      addFromGroup(group, row, column);
}

void CellFormulas::addFromGroup(const Group& group, long row, long column) {
  if (group.array) {
    const std::string text =
        decompileFormula(group.tokens, group.extra, FormulaDialect::Xlsb,
                         FormulaCell{group.area.firstRow, group.area.firstColumn}, names_);
    if (!text.empty())
      sheet_.addFormula(row, column, isUnreadableFormula(text) ? text : "{" + text + "}");
    return;
  }
  const std::string text = decompileFormula(group.tokens, group.extra, FormulaDialect::Xlsb,
                                            FormulaCell{row, column, true}, names_);
  if (!text.empty()) sheet_.addFormula(row, column, text);
}

}  // namespace quill::xlsb
