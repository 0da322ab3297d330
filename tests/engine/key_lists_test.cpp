// Identifying and ignore lists that would compare nothing, or make a key of a left-out
// column or row, are refused naming the item and the area instead of reporting success.
#include <gtest/gtest.h>

#include "engine/columns_comparison.h"
#include "engine/request_error.h"
#include "engine/rows_comparison.h"
#include "request_run.h"

namespace quill::test {
namespace {

const std::vector<TestSheet> kTable = {
    {"T", {{"A1", "id"}, {"B1", "v"}, {"D1", "w"}, {"A3", "2"}, {"D3", "x"}}}};

TEST(KeyLists, ItemsOutsideTheTableOrInBothListsAreRefused) {
  struct Case {
    Mode mode;
    std::string identifying, ignored, expected;
  };
  const std::vector<Case> cases = {
      {Mode::Rows, "AB", "", "Identifying columns: AB lies outside the columns compared, A to D"},
      {Mode::Rows, "A", "E", "Ignore columns: E lies outside the columns compared, A to D"},
      {Mode::Rows, "A, B", "C b",
       "B is named in both Identifying columns and Ignore columns; a key cannot be left out"},
      {Mode::Columns, "13", "", "Identifying rows: 13 lies outside the rows compared, 1 to 3"},
      {Mode::Columns, "1", "4", "Ignore rows: 4 lies outside the rows compared, 1 to 3"},
      {Mode::Columns, "1 2", "2",
       "2 is named in both Identifying rows and Ignore rows; a key cannot be left out"},
  };
  for (const Case& c : cases) {
    ComparisonRun run(kTable, kTable);
    run.request.sheet1 = 1;
    run.request.mode = c.mode;
    run.request.range1 = c.mode == Mode::Rows ? "$A:$D" : "$1:$3";
    run.request.identifying = c.identifying;
    run.request.ignored = c.ignored;
    try {
      c.mode == Mode::Rows ? run.run(compareRows) : run.run(compareColumns);
      ADD_FAILURE() << "no failure for " << c.expected;
    } catch (const RequestError& e) {
      EXPECT_EQ(std::string(e.what()), c.expected);
    }
    EXPECT_FALSE(run.transcript.finished) << c.expected;
  }
}

TEST(KeyLists, ItemsAtTheEdgesOfTheTableAreTaken) {
  ComparisonRun run(kTable, kTable);
  run.request.sheet1 = 1;
  run.request.mode = Mode::Rows;
  run.request.range1 = "$A:$D";
  run.request.identifying = "A, D";
  run.request.ignored = "B";
  EXPECT_TRUE(run.run(compareRows).finished);
}

}  // namespace
}  // namespace quill::test
