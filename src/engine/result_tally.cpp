#include "engine/result_tally.h"

namespace quill {

long DifferenceCounts::differences() const {
  long sum = 0;
  for (const CountedNames& kind : countedKinds())
    if (kind.difference) sum += (*this)[kind.counted];
  return sum;
}

void DifferenceCounts::count(const DifferenceItem& item) {
  Counted kind;
  if (!countedAs(item.kind, kind)) return;
  ++(*this)[kind];
  if (item.key) ++(*this)[Counted::KeyCells];
}

DifferenceCounts& DifferenceCounts::operator+=(const DifferenceCounts& other) {
  cellsCompared += other.cellsCompared;
  for (std::size_t k = 0; k < kCountedKinds; ++k) counted[k] += other.counted[k];
  return *this;
}

bool ResultTotal::differs() const {
  return counts.differences() > 0 || onlyInFirst + onlyInSecond + renamed + moved > 0;
}

ResultTotal& ResultTotal::operator+=(const ResultTotal& other) {
  counts += other.counts;
  sheetPairs += other.sheetPairs;
  sheetPairsWithDifferences += other.sheetPairsWithDifferences;
  onlyInFirst += other.onlyInFirst;
  onlyInSecond += other.onlyInSecond;
  renamed += other.renamed;
  moved += other.moved;
  return *this;
}

namespace {

// The cells a line compared: every cell pair of a compared row (a folded pair for each
// column it stands for), the key cells of a keyed row, and every cell of folded empty rows.
long cellsComparedIn(const Line& line, long tableColumns) {
  long cells = 0;
  switch (line.kind) {
    case LineKind::Compared:
      for (const CellPair& cell : line.cells)
        cells += cell.emptyThrough > 0 ? cell.emptyThrough - cell.column1 + 1 : 1;
      return cells;
    case LineKind::KeyUnchanged:
    case LineKind::KeyChanged:
      for (const CellPair& cell : line.cells) cells += cell.identifying ? 1 : 0;
      return cells;
    case LineKind::EmptyRows:
      return (line.lastRow1 - line.row1 + 1) * tableColumns;
    default:
      return 0;
  }
}

bool samePair(const SheetPairSummary& pair, const TableStart& table) {
  return pair.sheet1 == (table.inFirst ? table.sheet1 : std::string_view()) &&
         pair.sheet2 == (table.inSecond ? table.sheet2 : std::string_view()) &&
         pair.position1 == table.position1 && pair.position2 == table.position2;
}

}  // namespace

bool ResultTally::beginTable(const TableStart& table) {
  const bool starts = pairs_.empty() || !samePair(pairs_.back(), table);
  if (starts) {
    SheetPairSummary pair;
    pair.sheet1 = table.inFirst ? table.sheet1 : std::string_view();
    pair.sheet2 = table.inSecond ? table.sheet2 : std::string_view();
    pair.position1 = table.position1;
    pair.position2 = table.position2;
    pair.inFirst = table.inFirst;
    pair.inSecond = table.inSecond;
    const bool both = table.inFirst && table.inSecond;
    if (table.aligned) {
      pair.renamed = table.renamed;
      pair.moved = table.moved;
      pair.counts[Counted::SheetChanges] =
          (both ? 0 : 1) + (pair.renamed ? 1 : 0) + (pair.moved ? 1 : 0);
    } else {
      // Sheets paired because they stand at the same position were only compared there;
      // their other names do not make them renamed.
      const bool otherNames = sheetsPaired_ && both && table.sheet1 != table.sheet2;
      pair.moved = sheetsPaired_ && both && table.position1 != table.position2;
      pair.renamed = otherNames && pair.moved;
      pair.samePosition = otherNames && !pair.moved;
    }
    pairs_.push_back(std::move(pair));
  }
  oneSidedTable_ = oneSidedAlignedTable(table);
  tableColumns_ = 0;
  for (const ColumnPair& pair : table.columns)
    tableColumns_ += pair.column1 != 0 && pair.column2 != 0 ? 1 : 0;
  visitColumnItems(table, [this](const DifferenceItem& item) { pairs_.back().counts.count(item); });
  return starts;
}

void ResultTally::line(const Line& line) {
  DifferenceCounts& counts = pairs_.back().counts;
  counts.cellsCompared += cellsComparedIn(line, tableColumns_);
  visitLineItems(line, oneSidedTable_,
                 [&counts](const DifferenceItem& item) { counts.count(item); });
}

void ResultTally::contents(std::span<const ContentItem> items) {
  visitContentItems(items, [this](const DifferenceItem& item) {
    (workbookWide(item.kind) || pairs_.empty() ? workbook_ : pairs_.back().counts).count(item);
  });
}

ResultTotal ResultTally::total() const {
  ResultTotal total;
  total.counts += workbook_;
  for (const SheetPairSummary& pair : pairs_) {
    total.counts += pair.counts;
    ++total.sheetPairs;
    total.sheetPairsWithDifferences += pair.counts.differences() > 0 ? 1 : 0;
    total.onlyInFirst += pair.inSecond ? 0 : 1;
    total.onlyInSecond += pair.inFirst ? 0 : 1;
    total.renamed += pair.renamed ? 1 : 0;
    total.moved += pair.moved ? 1 : 0;
  }
  return total;
}

}  // namespace quill
