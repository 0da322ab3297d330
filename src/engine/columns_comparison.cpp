#include "engine/columns_comparison.h"

#include <string>
#include <string_view>
#include <vector>

#include "engine/aligned_keyed_lines.h"
#include "engine/cell_comparison.h"
#include "engine/cell_difference.h"
#include "engine/chosen_sheets.h"
#include "engine/key_matched_columns.h"
#include "engine/keyed_comparison.h"
#include "engine/request_fields.h"
#include "sheet/workbook.h"

namespace quill {

namespace {

// Which rows of the area are shown and compared: those listed and not ignored; without
// a key list, every row not ignored.
std::vector<char> shownRows(const Area& area, const std::vector<long>& listed,
                            const std::vector<long>& ignored, bool keyed) {
  std::vector<char> shown(std::size_t(area.rows()), keyed ? 0 : 1);
  auto mark = [&](const std::vector<long>& rows, char value) {
    for (long row : rows)
      if (row >= area.firstRow && row <= area.lastRow)
        shown[std::size_t(row - area.firstRow)] = value;
  };
  if (keyed) mark(listed, 1);
  mark(ignored, 0);
  return shown;
}

// Tells the column-keyed table: plain rows, or the key header and the identifying rows. With
// identifying rows the first one shown is the key.
class ColumnsLines final : public KeyedLines {
 public:
  ColumnsLines(const ComparisonRequest& request, const ChosenSheets& sheets, const KeyedArea& keyed,
               const KeyLists& lists)
      : options_(request.options),
        sheets_(sheets),
        area_(keyed.area),
        firstLabel_(keyed.startLetters),
        lastLabel_(keyed.endLetters),
        keyed_(!lists.identifying.empty()),
        shown_(shownRows(area_, lists.identifying, lists.ignored, keyed_)) {
    for (long c = 0; c < area_.columns(); ++c) columns_.push_back({column(c), column(c)});
  }

  void describe(TableStart& table) const override;
  void tellHeader(ResultSink& result) override;
  void tellRow(ResultSink& result, long row) override;

 private:
  long column(long c) const { return area_.firstColumn + c; }
  bool shown(long row) const { return shown_[std::size_t(row - area_.firstRow)] != 0; }
  long firstShownRow() const;

  const ComparisonOptions& options_;
  const ChosenSheets& sheets_;
  const Area& area_;
  std::string firstLabel_, lastLabel_;
  bool keyed_;
  std::vector<char> shown_;
  std::vector<ColumnPair> columns_;
  std::vector<CellPair> cells_;
};

void ColumnsLines::describe(TableStart& table) const {
  table.columns = columns_;
  table.firstLabel = firstLabel_;
  table.lastLabel = lastLabel_;
  table.keyed = keyed_;
}

// A key cell counts as changed only where both files hold a text and the texts differ; no
// row being shown, there is no key and no header line.
void ColumnsLines::tellHeader(ResultSink& result) {
  const long keyRow = keyed_ ? firstShownRow() : 0;
  if (keyRow == 0) return;
  cells_.clear();
  for (long c = 0; c < area_.columns(); ++c) {
    CellPair pair;
    pair.column1 = pair.column2 = column(c);
    pair.text1 = sheets_.first.cellText(keyRow, column(c));
    pair.text2 = sheets_.second.cellText(keyRow, column(c));
    pair.identifying = true;
    if (!pair.text1.empty() && !pair.text2.empty() && !textsMatch(options_, pair.text1, pair.text2))
      pair.difference = DifferenceKind::DifferentValue;
    cells_.push_back(pair);
  }
  result.line({LineKind::KeyHeader, keyRow, keyRow, 0, cells_});
}

void ColumnsLines::tellRow(ResultSink& result, long row) {
  if (!shown(row)) {
    result.line({LineKind::Hidden, row, row, 0, {}});
    return;
  }
  cells_.clear();
  for (long c = 0; c < area_.columns(); ++c)
    cells_.push_back(comparedPair(
        options_, {sheets_.first, row, column(c), sheets_.first.cellText(row, column(c))},
        {sheets_.second, row, column(c), sheets_.second.cellText(row, column(c))}));
  result.line({LineKind::Compared, row, row, 0, cells_});
}

long ColumnsLines::firstShownRow() const {
  for (long row = area_.firstRow; row <= area_.lastRow; ++row)
    if (shown(row)) return row;
  return 0;
}

std::unique_ptr<KeyedLines> columnsLines(const ComparisonRequest& request,
                                         const ChosenSheets& sheets, const KeyedArea& keyed,
                                         const KeyLists& lists) {
  if (request.options.align) return alignedColumnsLines(request, sheets, keyed, lists);
  if (request.options.matchKey && !lists.identifying.empty())
    return keyMatchedColumnsLines(request, sheets, keyed, lists);
  return std::make_unique<ColumnsLines>(request, sheets, keyed, lists);
}

const KeyedMode kColumnsMode{columnsModeArea, keyRows, TableLayout::KeyedColumns, columnsLines,
                             "rows"};

}  // namespace

ComparisonOutcome compareColumns(ComparisonContext& context) {
  return compareKeyed(context, kColumnsMode);
}

}  // namespace quill
