#include "engine/key_matched_rows.h"

#include <algorithm>
#include <string>
#include <vector>

#include "engine/cell_comparison.h"
#include "engine/key_join.h"
#include "engine/text_hash.h"

namespace quill {

namespace {

class KeyMatchedRowsLines final : public KeyedLines {
 public:
  KeyMatchedRowsLines(const ComparisonRequest& request, const ChosenSheets& sheets,
                      const KeyedArea& keyed, const KeyLists& lists);

  void describe(TableStart& table) const override;
  void tellHeader(ResultSink&) override {}
  long lineCount(const Area&) const override { return long(pairs_.size()); }
  void tellRow(ResultSink& result, long row) override;

 private:
  std::vector<std::string> keysOf(const Worksheet& sheet) const;
  std::vector<bool> heldRows(const Worksheet& sheet) const;
  bool identifying(long column) const {
    return std::find(identifying_.begin(), identifying_.end(), column) != identifying_.end();
  }

  const ComparisonOptions& options_;
  const ChosenSheets& sheets_;
  const Area& area_;
  std::string firstLabel_, lastLabel_;
  std::vector<long> identifying_;
  std::vector<ColumnPair> columns_;
  std::vector<KeyedPair> pairs_;
  std::vector<CellPair> cells_;
};

KeyMatchedRowsLines::KeyMatchedRowsLines(const ComparisonRequest& request,
                                         const ChosenSheets& sheets, const KeyedArea& keyed,
                                         const KeyLists& lists)
    : options_(request.options),
      sheets_(sheets),
      area_(keyed.area),
      firstLabel_(std::to_string(keyed.startRow)),
      lastLabel_(std::to_string(keyed.endRow)),
      identifying_(lists.identifying) {
  for (long c = area_.firstColumn; c <= area_.lastColumn; ++c)
    if (std::find(lists.ignored.begin(), lists.ignored.end(), c) == lists.ignored.end())
      columns_.push_back({c, c});
  pairs_ = joinHeldByKey(keysOf(sheets.first), heldRows(sheets.first), keysOf(sheets.second),
                         heldRows(sheets.second));
}

// Each row's key: the comparable texts of its identifying cells, joined.
std::vector<std::string> KeyMatchedRowsLines::keysOf(const Worksheet& sheet) const {
  std::vector<std::string> keys, texts(identifying_.size());
  keys.reserve(std::size_t(area_.rows()));
  for (long row = area_.firstRow; row <= area_.lastRow; ++row) {
    for (std::size_t k = 0; k < identifying_.size(); ++k)
      texts[k] = comparableText(options_, sheet.cellText(row, identifying_[k]));
    keys.push_back(joinedKey(texts));
  }
  return keys;
}

// Which rows of the area hold anything in its columns.
std::vector<bool> KeyMatchedRowsLines::heldRows(const Worksheet& sheet) const {
  std::vector<bool> held;
  std::vector<std::string_view> texts(std::size_t(area_.columns()));
  for (long row = area_.firstRow; row <= area_.lastRow; ++row) {
    sheet.rowTexts(row, area_.firstColumn, texts);
    held.push_back(std::any_of(texts.begin(), texts.end(), [](auto t) { return !t.empty(); }));
  }
  return held;
}

void KeyMatchedRowsLines::describe(TableStart& table) const {
  table.columns = columns_;
  table.firstLabel = firstLabel_;
  table.lastLabel = lastLabel_;
  table.keyed = true;
}

// row counts the lines from the area's first row: the line of the pairing's step at row's
// offset.
void KeyMatchedRowsLines::tellRow(ResultSink& result, long row) {
  const KeyedPair& pair = pairs_.at(std::size_t(row - area_.firstRow));
  const long row1 = pair.index1 < 0 ? 0 : area_.firstRow + pair.index1;
  const long row2 = pair.index2 < 0 ? 0 : area_.firstRow + pair.index2;
  cells_.clear();
  for (const ColumnPair& column : columns_) {
    const std::string_view text1 = row1 ? sheets_.first.cellText(row1, column.column1) : "";
    const std::string_view text2 = row2 ? sheets_.second.cellText(row2, column.column2) : "";
    CellPair cell;
    if (row1 && row2)
      cell = comparedPair(options_, {sheets_.first, row1, column.column1, text1},
                          {sheets_.second, row2, column.column2, text2});
    cell.column1 = column.column1;
    cell.column2 = column.column2;
    cell.text1 = text1;
    cell.text2 = text2;
    cell.identifying = identifying(column.column1);
    cells_.push_back(cell);
  }
  Line line;
  line.kind = !row1 ? LineKind::RowAdded : !row2 ? LineKind::RowRemoved : LineKind::Compared;
  line.row1 = row1;
  line.row2 = row2;
  line.cells = cells_;
  line.duplicateKey = pair.duplicateKey;
  result.line(line);
}

}  // namespace

std::unique_ptr<KeyedLines> keyMatchedRowsLines(const ComparisonRequest& request,
                                                const ChosenSheets& sheets, const KeyedArea& keyed,
                                                const KeyLists& lists) {
  return std::make_unique<KeyMatchedRowsLines>(request, sheets, keyed, lists);
}

}  // namespace quill
