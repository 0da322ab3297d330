#include "engine/rows_comparison.h"

#include <string>
#include <string_view>
#include <vector>

#include "engine/aligned_keyed_lines.h"
#include "engine/cell_comparison.h"
#include "engine/cell_difference.h"
#include "engine/chosen_sheets.h"
#include "engine/key_matched_rows.h"
#include "engine/keyed_comparison.h"
#include "engine/request_fields.h"
#include "sheet/workbook.h"

namespace quill {

namespace {

enum class ColumnRole : char { Compared, Identifying, Ignored };

// What each column of the area is: ignored wins over identifying.
std::vector<ColumnRole> columnRoles(const Area& area, const std::vector<long>& identifying,
                                    const std::vector<long>& ignored) {
  std::vector<ColumnRole> roles(std::size_t(area.columns()), ColumnRole::Compared);
  auto mark = [&](const std::vector<long>& columns, ColumnRole role) {
    for (long column : columns)
      if (column >= area.firstColumn && column <= area.lastColumn)
        roles[std::size_t(column - area.firstColumn)] = role;
  };
  mark(identifying, ColumnRole::Identifying);
  mark(ignored, ColumnRole::Ignored);
  return roles;
}

// Tells the table row by row; keeps the texts and cell pairs of the current row, reused from
// row to row.
class RowsLines final : public KeyedLines {
 public:
  RowsLines(const ComparisonRequest& request, const ChosenSheets& sheets, const KeyedArea& keyed,
            std::vector<ColumnRole> roles, bool hasKey)
      : options_(request.options),
        sheets_(sheets),
        area_(keyed.area),
        firstLabel_(std::to_string(keyed.startRow)),
        lastLabel_(std::to_string(keyed.endRow)),
        roles_(std::move(roles)),
        keyed_(hasKey),
        texts1_(roles_.size()),
        texts2_(roles_.size()) {
    for (std::size_t c = 0; c < roles_.size(); ++c)
      if (roles_[c] != ColumnRole::Ignored) columns_.push_back({column(c), column(c)});
  }

  void describe(TableStart& table) const override;
  void tellHeader(ResultSink&) override {}
  void tellRow(ResultSink& result, long row) override;

 private:
  long column(std::size_t c) const { return area_.firstColumn + long(c); }
  void readRow(long row);
  bool keyDiffers() const;
  // The pair of column c as a line of the kind shows it.
  CellPair pairOf(std::size_t c, long row, LineKind kind) const;

  const ComparisonOptions& options_;
  const ChosenSheets& sheets_;
  const Area& area_;
  std::string firstLabel_, lastLabel_;
  std::vector<ColumnRole> roles_;
  std::vector<ColumnPair> columns_;
  bool keyed_;
  std::vector<std::string_view> texts1_, texts2_;
  std::vector<CellPair> cells_;
};

void RowsLines::describe(TableStart& table) const {
  table.columns = columns_;
  table.firstLabel = firstLabel_;
  table.lastLabel = lastLabel_;
  table.keyed = keyed_;
}

void RowsLines::tellRow(ResultSink& result, long row) {
  readRow(row);
  const LineKind kind = !keyed_        ? LineKind::Compared
                        : keyDiffers() ? LineKind::KeyChanged
                                       : LineKind::KeyUnchanged;
  cells_.clear();
  for (std::size_t c = 0; c < roles_.size(); ++c)
    if (roles_[c] != ColumnRole::Ignored) cells_.push_back(pairOf(c, row, kind));
  result.line({kind, row, row, 0, cells_});
}

void RowsLines::readRow(long row) {
  for (std::size_t c = 0; c < roles_.size(); ++c) {
    if (roles_[c] == ColumnRole::Ignored) continue;
    texts1_[c] = sheets_.first.cellText(row, column(c));
    texts2_[c] = sheets_.second.cellText(row, column(c));
  }
}

bool RowsLines::keyDiffers() const {
  for (std::size_t c = 0; c < roles_.size(); ++c)
    if (roles_[c] == ColumnRole::Identifying && !textsMatch(options_, texts1_[c], texts2_[c]))
      return true;
  return false;
}

// A row whose key matches is shown, not compared; of a row whose key differs only the key
// cells that differ are listed.
CellPair RowsLines::pairOf(std::size_t c, long row, LineKind kind) const {
  if (kind == LineKind::Compared)
    return comparedPair(options_, {sheets_.first, row, column(c), texts1_[c]},
                        {sheets_.second, row, column(c), texts2_[c]});
  CellPair pair;
  pair.column1 = pair.column2 = column(c);
  pair.text1 = texts1_[c];
  pair.text2 = texts2_[c];
  pair.identifying = roles_[c] == ColumnRole::Identifying;
  if (kind == LineKind::KeyChanged && pair.identifying &&
      !textsMatch(options_, pair.text1, pair.text2))
    pair.difference = cellDifference(options_, pair.text1, pair.text2);
  return pair;
}

std::unique_ptr<KeyedLines> rowsLines(const ComparisonRequest& request, const ChosenSheets& sheets,
                                      const KeyedArea& keyed, const KeyLists& lists) {
  if (request.options.align) return alignedRowsLines(request, sheets, keyed, lists);
  if (request.options.matchKey && !lists.identifying.empty())
    return keyMatchedRowsLines(request, sheets, keyed, lists);
  return std::make_unique<RowsLines>(request, sheets, keyed,
                                     columnRoles(keyed.area, lists.identifying, lists.ignored),
                                     !lists.identifying.empty());
}

const KeyedMode kRowsMode{rowsModeArea, keyColumns, TableLayout::KeyedRows, rowsLines, "columns"};

}  // namespace

ComparisonOutcome compareRows(ComparisonContext& context) {
  return compareKeyed(context, kRowsMode);
}

}  // namespace quill
