// Rows of a keyed table paired by key: a sorted copy with a few values changed reports just
// those values; rows of one file alone are added or removed; repeated keys pair in order
// and are marked.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/columns_comparison.h"
#include "engine/rows_comparison.h"
#include "request_run.h"

namespace quill::test {
namespace {

using Entries = std::vector<std::string>;

// A keyed table of 200 rows under a header: id, name, amount.
TestSheet keyedTable(const std::string& name, bool sorted) {
  TestSheet sheet{name, {{"A1", "id"}, {"B1", "name"}, {"C1", "amount"}}};
  for (int i = 0; i < 200; ++i) {
    const int id = sorted ? i : (i * 7919) % 200;  // the same ids in another order
    const std::string row = std::to_string(i + 2);
    sheet.cells.push_back({"A" + row, "k" + std::to_string(id)});
    sheet.cells.push_back({"B" + row, "name " + std::to_string(id % 13)});
    sheet.cells.push_back({"C" + row, std::to_string(id * 3)});
  }
  return sheet;
}

// Changes the amount of the row holding a key.
void changeAmount(TestSheet& sheet, const std::string& key, const std::string& amount) {
  for (std::size_t k = 0; k < sheet.cells.size(); ++k)
    if (sheet.cells[k].second == key) sheet.cells[k + 2].second = amount;
}

void runKeyed(ComparisonRun& run, const std::string& identifying) {
  run.request.sheet1 = 1;
  run.request.mode = Mode::Rows;
  run.request.range1 = "$A:$C";
  run.request.identifying = identifying;
  run.request.options.matchKey = true;
  run.run(compareRows);
}

// The differences the result lists of one kind: "different value", "row added", ...
Entries listedOfKind(const ResultTranscript& result, const std::string& kind) {
  Entries found;
  for (const std::string& entry : result.starting("difference "))
    if (entry.find(" " + kind + " ") != std::string::npos) found.push_back(entry);
  return found;
}

TEST(KeyMatchedRows, SortedCopyWithThreeValuesChanged) {
  TestSheet first = keyedTable("T", false), second = keyedTable("T", true);
  changeAmount(second, "k5", "x");
  changeAmount(second, "k77", "y");
  changeAmount(second, "k150", "z");
  ComparisonRun run({first}, {second});
  runKeyed(run, "A");
  EXPECT_EQ(run.outcome.differences, 3);
  const Entries values = listedOfKind(run.transcript, "different value");
  ASSERT_EQ(values.size(), 3u);
  for (const char* value : {"|x", "|y", "|z"}) {
    const auto listing = [&](const std::string& entry) { return entry.ends_with(value); };
    EXPECT_EQ(std::count_if(values.begin(), values.end(), listing), 1) << value;
  }
  EXPECT_EQ(run.transcript.starting("row "), Entries{});
}

TEST(KeyMatchedRows, UnpairedRowsAndRepeatedKeys) {
  const TestSheet first{"T",
                        {{"A1", "id"},
                         {"B1", "v"},
                         {"A2", "a"},
                         {"B2", "1"},
                         {"A3", "b"},
                         {"B3", "2"},
                         {"A4", "a"},
                         {"B4", "3"},
                         {"A5", "gone"},
                         {"B5", "4"}}};
  const TestSheet second{"T",
                         {{"A1", "id"},
                          {"B1", "v"},
                          {"A2", "a"},
                          {"B2", "3"},
                          {"A3", "new"},
                          {"B3", "5"},
                          {"A4", "b"},
                          {"B4", "2"},
                          {"A5", "a"},
                          {"B5", "1"}}};
  ComparisonRun run({first}, {second});
  runKeyed(run, "A");
  // Row 2 (a, 1) pairs with row 2 (a, 3) and row 4 (a, 3) with row 5 (a, 1), in order.
  EXPECT_EQ(run.outcome.differences, 4);  // two values, a row removed, a row added
  const ResultTranscript& result = run.transcript;
  EXPECT_EQ(result.starting("row "), (Entries{"row removed 5/0", "row added 0/3"}));
  EXPECT_EQ(result.starting("duplicate "),
            (Entries{"duplicate compared 2/2", "duplicate compared 4/5"}));
  EXPECT_EQ(
      listedOfKind(result, "different value"),
      (Entries{"difference B2/B2 different value 1|3", "difference B4/B5 different value 3|1"}));
}

TEST(KeyMatchedColumns, ColumnsPairByTheirKeyRow) {
  // Row 1 holds the keys; the second file swaps two columns, adds one and changes a value.
  const TestSheet first{"T",
                        {{"A1", "k1"},
                         {"B1", "k2"},
                         {"C1", "k3"},
                         {"A2", "1"},
                         {"B2", "2"},
                         {"C2", "3"},
                         {"A3", "x"},
                         {"B3", "y"},
                         {"C3", "z"}}};
  const TestSheet second{"T",
                         {{"A1", "k2"},
                          {"B1", "k1"},
                          {"C1", "k3"},
                          {"D1", "k4"},
                          {"A2", "2"},
                          {"B2", "1"},
                          {"C2", "3"},
                          {"D2", "4"},
                          {"A3", "y"},
                          {"B3", "x"},
                          {"C3", "Z"},
                          {"D3", "w"}}};
  ComparisonRun run({first}, {second});
  run.request.sheet1 = 1;
  run.request.mode = Mode::Columns;
  run.request.range1 = "$1:$3";
  run.request.identifying = "1";
  run.request.options.matchKey = true;
  const ResultTranscript& result = run.run(compareColumns);
  EXPECT_EQ(run.outcome.differences, 2);
  EXPECT_EQ(result.starting("column "), Entries{"column added 4"});
  EXPECT_EQ(listedOfKind(result, "different value"),
            Entries{"difference C3/C3 different value z|Z"});
}

}  // namespace
}  // namespace quill::test
