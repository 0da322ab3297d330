#include "engine/key_matched_columns.h"

#include <algorithm>
#include <string>
#include <vector>

#include "engine/cell_comparison.h"
#include "engine/key_join.h"
#include "engine/text_hash.h"

namespace quill {

namespace {

class KeyMatchedColumnsLines final : public KeyedLines {
 public:
  KeyMatchedColumnsLines(const ComparisonRequest& request, const ChosenSheets& sheets,
                         const KeyedArea& keyed, const KeyLists& lists);

  void describe(TableStart& table) const override;
  void tellHeader(ResultSink&) override {}
  void tellRow(ResultSink& result, long row) override;

 private:
  std::vector<std::string> keysOf(const Worksheet& sheet) const;
  std::vector<bool> heldColumns(const Worksheet& sheet) const;
  bool ignored(long row) const {
    return std::find(ignored_.begin(), ignored_.end(), row) != ignored_.end();
  }

  const ComparisonOptions& options_;
  const ChosenSheets& sheets_;
  const Area& area_;
  std::string firstLabel_, lastLabel_;
  std::vector<long> identifying_, ignored_;
  std::vector<ColumnPair> columns_;
  std::vector<CellPair> cells_;
};

KeyMatchedColumnsLines::KeyMatchedColumnsLines(const ComparisonRequest& request,
                                               const ChosenSheets& sheets, const KeyedArea& keyed,
                                               const KeyLists& lists)
    : options_(request.options),
      sheets_(sheets),
      area_(keyed.area),
      firstLabel_(keyed.startLetters),
      lastLabel_(keyed.endLetters),
      identifying_(lists.identifying),
      ignored_(lists.ignored) {
  for (const KeyedPair& pair : joinHeldByKey(keysOf(sheets.first), heldColumns(sheets.first),
                                             keysOf(sheets.second), heldColumns(sheets.second)))
    columns_.push_back({pair.index1 < 0 ? 0 : area_.firstColumn + pair.index1,
                        pair.index2 < 0 ? 0 : area_.firstColumn + pair.index2});
}

// Each column's key: the comparable texts of its identifying cells, joined.
std::vector<std::string> KeyMatchedColumnsLines::keysOf(const Worksheet& sheet) const {
  std::vector<std::string> keys, texts(identifying_.size());
  for (long column = area_.firstColumn; column <= area_.lastColumn; ++column) {
    for (std::size_t k = 0; k < identifying_.size(); ++k)
      texts[k] = comparableText(options_, sheet.cellText(identifying_[k], column));
    keys.push_back(joinedKey(texts));
  }
  return keys;
}

// Which columns of the area hold anything in its rows.
std::vector<bool> KeyMatchedColumnsLines::heldColumns(const Worksheet& sheet) const {
  std::vector<bool> held(std::size_t(area_.columns()), false);
  std::vector<std::string_view> texts(held.size());
  for (long row = area_.firstRow; row <= area_.lastRow; ++row) {
    sheet.rowTexts(row, area_.firstColumn, texts);
    for (std::size_t c = 0; c < texts.size(); ++c)
      if (!texts[c].empty()) held[c] = true;
  }
  return held;
}

// The columns are aligned: an added or removed column is listed once and drawn in the
// legend's colours, and the header shows the columns' letters.
void KeyMatchedColumnsLines::describe(TableStart& table) const {
  table.columns = columns_;
  table.firstLabel = firstLabel_;
  table.lastLabel = lastLabel_;
  table.aligned = true;
}

void KeyMatchedColumnsLines::tellRow(ResultSink& result, long row) {
  if (ignored(row)) {
    result.line({LineKind::Hidden, row, row, 0, {}});
    return;
  }
  cells_.clear();
  for (const ColumnPair& column : columns_) {
    const std::string_view text1 =
        column.column1 ? sheets_.first.cellText(row, column.column1) : "";
    const std::string_view text2 =
        column.column2 ? sheets_.second.cellText(row, column.column2) : "";
    CellPair cell;
    if (column.column1 && column.column2)
      cell = comparedPair(options_, {sheets_.first, row, column.column1, text1},
                          {sheets_.second, row, column.column2, text2});
    cell.column1 = column.column1;
    cell.column2 = column.column2;
    cell.text1 = text1;
    cell.text2 = text2;
    cells_.push_back(cell);
  }
  result.line({LineKind::Compared, row, row, 0, cells_});
}

}  // namespace

std::unique_ptr<KeyedLines> keyMatchedColumnsLines(const ComparisonRequest& request,
                                                   const ChosenSheets& sheets,
                                                   const KeyedArea& keyed, const KeyLists& lists) {
  return std::make_unique<KeyMatchedColumnsLines>(request, sheets, keyed, lists);
}

}  // namespace quill
