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
  tally_.beginTable(table);
  pass([&] { sink_.beginTable(table); });
}

void CountingResult::line(const Line& line) {
  tally_.line(line);
  pass([&] { sink_.line(line); });
}

void CountingResult::contents(std::span<const ContentItem> items) {
  tally_.contents(items);
  pass([&] { sink_.contents(items); });
}

void CountingResult::endTable() {
  pass([&] { sink_.endTable(); });
}

void CountingResult::finish() {
  pass([&] { sink_.finish(); });
  finished_ = !failed_;
}

ComparisonOutcome CountingResult::outcome() const {
  const ResultTotal total = tally_.total();
  ComparisonOutcome outcome;
  outcome.differences = total.counts.differences();
  outcome.sheetsCompared = total.sheetPairs;
  outcome.sheetsWithDifferences = total.sheetPairsWithDifferences;
  outcome.resultComplete = finished_;
  return outcome;
}

}  // namespace quill
