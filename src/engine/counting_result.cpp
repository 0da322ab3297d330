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
  pass([&] { sink_.beginTable(table); });
}

void CountingResult::line(const Line& line) {
  differences_ += listedDifferences(line);
  pass([&] { sink_.line(line); });
}

void CountingResult::endTable() {
  pass([&] { sink_.endTable(); });
}

void CountingResult::finish() {
  pass([&] { sink_.finish(); });
  finished_ = !failed_;
}

long listedDifferences(const Line& line) {
  // A changed key of the header row is drawn, not listed.
  if (line.kind == LineKind::KeyHeader) return 0;
  long count = 0;
  for (const CellPair& cell : line.cells)
    if (cell.difference != DifferenceKind::None) ++count;
  return count;
}

}  // namespace quill
