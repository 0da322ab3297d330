#include <gtest/gtest.h>

#include "engine/columns_comparison.h"
#include "engine/rows_comparison.h"
#include "request_run.h"

namespace quill::test {
namespace {

// clang-format off
const std::vector<TestSheet> kFirst = {{"S", {
    {"A1", "k1"}, {"B1", "a"}, {"A2", "k2"}, {"B2", "b"},
    {"A3", "k3"}, {"B3", "c"}, {"A4", "k4"}, {"B4", "d"}}}};
const std::vector<TestSheet> kSecond = {{"S", {
    {"A1", "k1"}, {"B1", "a"}, {"A2", "k9"}, {"B2", "b"},
    {"A3", "k3"}, {"B3", "x"}, {"A4", "k4"}, {"B4", "d"}}}};
// clang-format on

// One keyed comparison over three rows of the area, whichever way it is keyed.
struct KeyedCase {
  const char* name;
  Mode mode;
  const char* range;
  const char* start;
  const char* end;
  const char* identifying;
};

const KeyedCase kCases[] = {
    {"rows, plain", Mode::Rows, "$A:$B", "2", "4", ""},
    {"rows, keyed", Mode::Rows, "$A:$B", "2", "4", "A"},
    {"columns, plain", Mode::Columns, "$2:$4", "A", "B", ""},
    {"columns, keyed", Mode::Columns, "$2:$4", "A", "B", "2 3"},
};

// Runs the case; true when the whole result was told.
bool runCase(ComparisonRun& run, const KeyedCase& c) {
  run.request.sheet1 = 1;
  run.request.mode = c.mode;
  run.request.range1 = c.range;
  if (c.mode == Mode::Rows) {
    run.request.startRow = c.start;
    run.request.endRow = c.end;
  } else {
    run.request.startColumn = c.start;
    run.request.endColumn = c.end;
  }
  run.request.identifying = c.identifying;
  return (c.mode == Mode::Rows ? run.run(compareRows) : run.run(compareColumns)).finished;
}

TEST(KeyedProgress, EveryKeyedModeReportsEachRowOfItsArea) {
  for (const KeyedCase& c : kCases) {
    ComparisonRun run(kFirst, kSecond);
    EXPECT_TRUE(runCase(run, c)) << c.name;
    EXPECT_EQ(run.progress.maxima, std::vector<long>{3}) << c.name;
    EXPECT_EQ(run.progress.values, (std::vector<long>{1, 2, 3})) << c.name;
  }
}

TEST(KeyedProgress, EveryKeyedModeStopsWhenCancelledAndWritesNothing) {
  for (const KeyedCase& c : kCases) {
    ComparisonRun run(kFirst, kSecond);
    run.progress.cancelAt = 2;
    EXPECT_THROW(runCase(run, c), ComparisonCancelled) << c.name;
    EXPECT_FALSE(run.transcript.finished) << c.name;
    EXPECT_EQ(run.progress.values, (std::vector<long>{1, 2})) << c.name;
  }
}

}  // namespace
}  // namespace quill::test
