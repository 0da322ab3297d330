#include "formats/xls/cell_formulas.h"

#include "formats/xls/record_cursor.h"

namespace quill::xls {

namespace {

constexpr std::uint16_t kSharedFormula = 0x04BC;
constexpr std::uint16_t kArray = 0x0221;
constexpr std::uint8_t kExpressionPointer = 0x01;
// Cells of one group that may wait for it; the group record follows its first cell.
constexpr std::size_t kMaxWaiting = 4096;

// Reads a formula's size (one byte in BIFF2), then its tokens and the extra data that fills
// the record.
void readTokens(RecordCursor& cursor, std::span<const std::uint8_t> data,
                std::vector<std::uint8_t>& tokens, std::vector<std::uint8_t>& extra,
                bool byteSize = false) {
  const std::size_t size = byteSize ? cursor.u8() : cursor.u16();
  if (size > cursor.remaining())
    throw WorkbookError("a formula is longer than its record (damaged file)");
  const std::size_t start = cursor.position();
  tokens.assign(data.begin() + long(start), data.begin() + long(start + size));
  extra.assign(data.begin() + long(start + size), data.end());
}

}  // namespace

void CellFormulas::readFormula(const Record& record, long row, long column) {
  RecordCursor cursor(record);
  // Cell, style, cached result and options; BIFF5 and later add four reserved bytes.
  cursor.skip(dialect_ >= FormulaDialect::Biff5 ? 20 : 16);
  std::vector<std::uint8_t> tokens, extra;
  readTokens(cursor, record.data, tokens, extra, dialect_ == FormulaDialect::Biff2);
  if (!tokens.empty() && tokens[0] == kExpressionPointer && dialect_ < FormulaDialect::Biff5) {
    sheet_.addFormula(row, column, "[unreadable formula: a shared or array formula of BIFF2 to 4]");
    return;
  }
  if (tokens.size() == 5 && tokens[0] == kExpressionPointer) {
    const Position master{long(littleEndian16(&tokens[1])) + 1,
                          long(littleEndian16(&tokens[3])) + 1};
    const auto group = groups_.find(master);
    if (group != groups_.end()) {
      addFromGroup(group->second, master, row, column);
    } else if (waiting_.size() < kMaxWaiting) {
      waiting_.push_back({{row, column}, master});
    }
    return;
  }
  const std::string text =
      decompileFormula(tokens, extra, dialect_, FormulaCell{row, column}, tables_);
  if (!text.empty()) sheet_.addFormula(row, column, text);
}

bool CellFormulas::readGroup(const Record& record) {
  if (record.type != kSharedFormula && record.type != kArray) return false;
  if (dialect_ < FormulaDialect::Biff5) return true;  // cells of such groups are marked
  RecordCursor cursor(record);
  Group group;
  group.area.firstRow = cursor.u16() + 1L;
  group.area.lastRow = cursor.u16() + 1L;
  group.area.firstColumn = cursor.u8() + 1L;
  group.area.lastColumn = cursor.u8() + 1L;
  group.array = record.type == kArray;
  cursor.skip(group.array ? 6 : 2);
  readTokens(cursor, record.data, group.tokens, group.extra);
  const Position master{group.area.firstRow, group.area.firstColumn};
  const Group& stored = groups_[master] = std::move(group);
  std::erase_if(waiting_, [&](const std::pair<Position, Position>& cell) {
    if (cell.second != master) return false;
    addFromGroup(stored, master, cell.first.first, cell.first.second);
    return true;
  });
  return true;
}

void CellFormulas::addFromGroup(const Group& group, Position master, long row, long column) {
  if (group.array) {
    const std::string text = decompileFormula(group.tokens, group.extra, dialect_,
                                              FormulaCell{master.first, master.second}, tables_);
    if (!text.empty())
      sheet_.addFormula(row, column, isUnreadableFormula(text) ? text : "{" + text + "}");
    return;
  }
  const std::string text = decompileFormula(group.tokens, group.extra, dialect_,
                                            FormulaCell{row, column, true}, tables_);
  if (!text.empty()) sheet_.addFormula(row, column, text);
}

}  // namespace quill::xls
