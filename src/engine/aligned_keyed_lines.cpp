#include "engine/aligned_keyed_lines.h"

#include <algorithm>
#include <string>
#include <vector>

#include "engine/aligned_keyed_cells.h"
#include "engine/aligned_workbook.h"
#include "engine/key_join.h"
#include "engine/sheet_alignment.h"
#include "engine/text_hash.h"
#include "engine/transposed_sheet.h"

namespace quill {

namespace {

bool listed(const std::vector<long>& list, long item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

// The partner of a file-1 row or column in a pairing; itself when the pairing has none.
long partnerOf(const std::vector<ColumnPair>& pairs, long first) {
  for (const ColumnPair& pair : pairs)
    if (pair.column1 == first && pair.column2 != 0) return pair.column2;
  return first;
}

// Each line's key over a table read through `text(line, item)`: the comparable texts of its
// identifying items, joined; and whether the line holds anything over the whole span.
struct LineKeys {
  std::vector<std::string> keys;
  std::vector<bool> held;
};

template <class Text>
LineKeys lineKeys(const ComparisonOptions& options, long first, long last,
                  const std::vector<long>& identifying, long spanFirst, long spanLast, Text text) {
  LineKeys read;
  std::vector<std::string> texts(identifying.size());
  for (long line = first; line <= last; ++line) {
    for (std::size_t k = 0; k < identifying.size(); ++k)
      texts[k] = comparableText(options, text(line, identifying[k]));
    read.keys.push_back(joinedKey(texts));
    bool held = false;
    for (long item = spanFirst; item <= spanLast && !held; ++item) held = !text(line, item).empty();
    read.held.push_back(held);
  }
  return read;
}

// One step of a line pairing: the row (column) of each file and whether its key repeats.
struct PairedRow {
  long row1 = 0;
  long row2 = 0;
  bool duplicateKey = false;
};

// The lines from first to last of both files paired by the texts of their identifying items,
// each file's read in its own items: an identifying item moved in the second file is read
// where the alignment of the items (`items`) found it. text1 and text2 read (line, item).
template <class Text1, class Text2>
std::vector<PairedRow> pairLinesByKey(const ComparisonOptions& options, long first, long last,
                                      const std::vector<long>& identifying,
                                      const std::vector<ColumnPair>& items, long spanFirst,
                                      long spanLast, Text1 text1, Text2 text2) {
  std::vector<long> identifying2;
  for (long item : identifying) identifying2.push_back(partnerOf(items, item));
  const LineKeys keys1 = lineKeys(options, first, last, identifying, spanFirst, spanLast, text1);
  const LineKeys keys2 = lineKeys(options, first, last, identifying2, spanFirst, spanLast, text2);
  std::vector<PairedRow> pairs;
  for (const KeyedPair& pair : joinHeldByKey(keys1.keys, keys1.held, keys2.keys, keys2.held))
    pairs.push_back({pair.index1 < 0 ? 0 : first + pair.index1,
                     pair.index2 < 0 ? 0 : first + pair.index2, pair.duplicateKey});
  return pairs;
}

class AlignedRowsLines final : public KeyedLines {
 public:
  AlignedRowsLines(const ComparisonRequest& request, const ChosenSheets& sheets,
                   const KeyedArea& keyed, const KeyLists& lists);

  void describe(TableStart& table) const override;
  void tellHeader(ResultSink&) override {}
  long lineCount(const Area&) const override { return long(rows_.size()); }
  void tellRow(ResultSink& result, long row) override;

 private:
  void keyedLine(ResultSink& result, const PairedRow& pair);

  const ComparisonOptions& options_;
  const Area& area_;
  std::string firstLabel_, lastLabel_;
  std::vector<long> identifying_;
  bool matchKey_;
  std::vector<ColumnPair> columns_;
  std::vector<PairedRow> rows_;
  AlignedCells cells_;
  std::vector<CellPair> keyCells_;
};

AlignedRowsLines::AlignedRowsLines(const ComparisonRequest& request, const ChosenSheets& sheets,
                                   const KeyedArea& keyed, const KeyLists& lists)
    : options_(request.options),
      area_(keyed.area),
      firstLabel_(std::to_string(keyed.startRow)),
      lastLabel_(std::to_string(keyed.endRow)),
      identifying_(lists.identifying),
      matchKey_(request.options.matchKey && !lists.identifying.empty()),
      cells_(request.options, sheets.first, sheets.second) {
  // Each file's rows and columns past its last one in use are left out, so that the shorter
  // table's empty end is not taken for removed rows.
  const SheetAlignment alignment =
      alignSheetAreas(sheets.first, withinUsedArea(area_, sheets.first), sheets.second,
                      withinUsedArea(area_, sheets.second), options_);
  for (const ColumnPair& pair : alignment.columns)
    if (!listed(lists.ignored, pair.column1 != 0 ? pair.column1 : pair.column2))
      columns_.push_back(pair);
  if (matchKey_)
    rows_ = pairLinesByKey(
        options_, area_.firstRow, area_.lastRow, identifying_, columns_, area_.firstColumn,
        area_.lastColumn, [&](long row, long column) { return sheets.first.cellText(row, column); },
        [&](long row, long column) { return sheets.second.cellText(row, column); });
  else
    for (const RowPair& pair : alignment.rows) rows_.push_back({pair.row1, pair.row2, false});
}

void AlignedRowsLines::describe(TableStart& table) const {
  table.columns = columns_;
  table.firstLabel = firstLabel_;
  table.lastLabel = lastLabel_;
  table.keyed = !identifying_.empty();
  table.aligned = table.alignedByContent = true;
}

// row counts the lines from the area's first row: the pairing's step at row's offset.
void AlignedRowsLines::tellRow(ResultSink& result, long row) {
  const PairedRow& pair = rows_.at(std::size_t(row - area_.firstRow));
  if (!identifying_.empty() && !matchKey_ && pair.row1 != 0 && pair.row2 != 0)
    return keyedLine(result, pair);
  Line line = cells_.line(pair.row1, pair.row2, columns_, identifying_);
  line.duplicateKey = pair.duplicateKey;
  result.line(line);
}

// Identifying columns without key matching: only the key cells are compared, and a row
// whose key differs is shown once for each file, as by position.
void AlignedRowsLines::keyedLine(ResultSink& result, const PairedRow& pair) {
  keyCells_.clear();
  bool keyDiffers = false;
  for (const ColumnPair& column : columns_) {
    CellPair cell = cells_.cell(pair.row1, pair.row2, column);
    cell.identifying = listed(identifying_, column.column1);
    if (!cell.identifying || column.column2 == 0) cell.difference = DifferenceKind::None;
    keyDiffers = keyDiffers || cell.difference != DifferenceKind::None;
    keyCells_.push_back(cell);
  }
  const LineKind kind = keyDiffers ? LineKind::KeyChanged : LineKind::KeyUnchanged;
  result.line({kind, pair.row1, pair.row2, 0, keyCells_});
}

class AlignedColumnsLines final : public KeyedLines {
 public:
  AlignedColumnsLines(const ComparisonRequest& request, const ChosenSheets& sheets,
                      const KeyedArea& keyed, const KeyLists& lists);

  void describe(TableStart& table) const override;
  void tellHeader(ResultSink&) override {}
  long lineCount(const Area&) const override { return long(rows_.size()); }
  void tellRow(ResultSink& result, long row) override;

 private:
  bool shown(long row) const;

  const ComparisonOptions& options_;
  const Area& area_;
  std::string firstLabel_, lastLabel_;
  std::vector<long> identifying_, ignored_;
  bool matchKey_;
  std::vector<ColumnPair> columns_;
  std::vector<ColumnPair> rows_;  // row pairs: column1 is file 1's row, column2 file 2's
  AlignedCells cells_;
};

AlignedColumnsLines::AlignedColumnsLines(const ComparisonRequest& request,
                                         const ChosenSheets& sheets, const KeyedArea& keyed,
                                         const KeyLists& lists)
    : options_(request.options),
      area_(keyed.area),
      firstLabel_(keyed.startLetters),
      lastLabel_(keyed.endLetters),
      identifying_(lists.identifying),
      ignored_(lists.ignored),
      matchKey_(request.options.matchKey && !lists.identifying.empty()),
      cells_(request.options, sheets.first, sheets.second) {
  // The row alignment of the sheets turned over aligns the table's columns by content and
  // its rows by header or content.
  const TransposedSheet turned1(sheets.first), turned2(sheets.second);
  const Area turnedArea = TransposedSheet::transposed(area_);
  const SheetAlignment turned =
      alignSheetAreas(turned1, withinUsedArea(turnedArea, turned1), turned2,
                      withinUsedArea(turnedArea, turned2), options_);
  rows_ = turned.columns;
  if (matchKey_)
    for (const PairedRow& pair : pairLinesByKey(
             options_, area_.firstColumn, area_.lastColumn, identifying_, rows_, area_.firstRow,
             area_.lastRow,
             [&](long column, long row) { return sheets.first.cellText(row, column); },
             [&](long column, long row) { return sheets.second.cellText(row, column); }))
      columns_.push_back({pair.row1, pair.row2});
  else
    for (const RowPair& pair : turned.rows) columns_.push_back({pair.row1, pair.row2});
}

void AlignedColumnsLines::describe(TableStart& table) const {
  table.columns = columns_;
  table.firstLabel = firstLabel_;
  table.lastLabel = lastLabel_;
  table.aligned = table.alignedByContent = true;
}

// Ignored rows are hidden; without key matching, identifying rows are the only ones compared.
bool AlignedColumnsLines::shown(long row) const {
  if (listed(ignored_, row)) return false;
  return matchKey_ || identifying_.empty() || listed(identifying_, row);
}

void AlignedColumnsLines::tellRow(ResultSink& result, long row) {
  const ColumnPair& pair = rows_.at(std::size_t(row - area_.firstRow));
  if (!shown(pair.column1 != 0 ? pair.column1 : pair.column2)) {
    const long hidden = pair.column1 != 0 ? pair.column1 : pair.column2;
    result.line({LineKind::Hidden, hidden, hidden, 0, {}});
    return;
  }
  result.line(cells_.line(pair.column1, pair.column2, columns_));
}

}  // namespace

std::unique_ptr<KeyedLines> alignedRowsLines(const ComparisonRequest& request,
                                             const ChosenSheets& sheets, const KeyedArea& keyed,
                                             const KeyLists& lists) {
  return std::make_unique<AlignedRowsLines>(request, sheets, keyed, lists);
}

std::unique_ptr<KeyedLines> alignedColumnsLines(const ComparisonRequest& request,
                                                const ChosenSheets& sheets, const KeyedArea& keyed,
                                                const KeyLists& lists) {
  return std::make_unique<AlignedColumnsLines>(request, sheets, keyed, lists);
}

}  // namespace quill
