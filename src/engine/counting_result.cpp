#include "engine/counting_result.h"

namespace quill {

template <class Call>
void CountingResult::pass(Call&& call) {
  if (failed_) return;
  try {
    call();
  } catch (...) {
    failed_ = true;
    throw;
  }
}

void CountingResult::begin(const ResultHeading& heading) {
  pass([&] { sink_.begin(heading); });
}

void CountingResult::beginTable(const TableStart& table) {
  differences_ += tableDifferences(table);
  oneSidedTable_ = table.aligned && !(table.inFirst && table.inSecond);
  pass([&] { sink_.beginTable(table); });
}

void CountingResult::line(const Line& line) {
  differences_ += listedDifferences(line, oneSidedTable_);
  pass([&] { sink_.line(line); });
}

void CountingResult::endTable() {
  pass([&] { sink_.endTable(); });
}

void CountingResult::finish() {
  pass([&] { sink_.finish(); });
  finished_ = !failed_;
}

long listedDifferences(const Line& line, bool oneSidedTable) {
  // A changed key of the header row is drawn, not listed.
  if (line.kind == LineKind::KeyHeader) return 0;
  if (line.kind == LineKind::RowAdded || line.kind == LineKind::RowRemoved)
    return oneSidedTable ? 0 : 1;
  long count = 0;
  for (const CellPair& cell : line.cells)
    if (cell.difference != DifferenceKind::None) ++count;
  return count;
}

long tableDifferences(const TableStart& table) {
  if (!table.aligned) return 0;
  if (!table.inFirst || !table.inSecond) return 1;
  long count = (table.renamed ? 1 : 0) + (table.moved ? 1 : 0);
  for (const ColumnPair& pair : table.columns)
    if (pair.column1 == 0 || pair.column2 == 0) ++count;
  return count;
}

}  // namespace quill
