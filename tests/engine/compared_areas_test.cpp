// The areas a comparison reads: every area of a range, whole columns and rows, worksheet
// names before an address, and far cells that must not make the result huge.
#include <gtest/gtest.h>

#include "engine/columns_comparison.h"
#include "engine/range_comparison.h"
#include "engine/rows_comparison.h"
#include "engine/whole_workbook.h"
#include "request_run.h"

namespace quill::test {
namespace {

auto rangeOf(const std::string& range1, const std::string& range2) {
  return [=](ComparisonContext& context) { return compareRange(context, range1, range2); };
}

// clang-format off
const std::vector<TestSheet> kFirst = {{"Prices", {
    {"A1", "a"}, {"B1", "b"}, {"C1", "c"}, {"A2", "1"}, {"B2", "2"}, {"C3", "3"}}}};
const std::vector<TestSheet> kSecond = {{"Prices", {
    {"A1", "a"}, {"B1", "b"}, {"C1", "c"}, {"A2", "9"}, {"B2", "2"}, {"C3", "8"}}}};
// clang-format on

// Far more than a small table's result needs, far fewer than a line for each row of a sheet.
constexpr std::size_t kFewEntries = 200;

using Entries = std::vector<std::string>;

TEST(ComparedAreas, EveryFormOfAddressTheRangeDialogGivesIsCompared) {
  struct Case {
    std::string range;
    long differences;
    long tables;
  };
  const std::vector<Case> cases = {
      {"A1:A2,C3:C3", 2, 2},
      {"$A:$C", 2, 1},
      {"$1:$2", 1, 1},
      {"$1:$1048576", 2, 1},
      {"'Prices'!$A:$C", 2, 1},
      {"prices!$A$1:$C$3", 2, 1},
      {"'Prices'!$A$2,'Prices'!$C$3", 2, 2},
  };
  for (const Case& c : cases) {
    ComparisonRun run(kFirst, kSecond);
    run.request.sheet1 = 1;
    const ResultTranscript& result = run.run(rangeOf(c.range, ""));
    EXPECT_EQ(run.outcome.differences, c.differences) << c.range;
    EXPECT_EQ(long(result.starting("table ").size()), c.tables) << c.range;
    EXPECT_LT(result.entries.size(), kFewEntries) << c.range;
  }
}

TEST(ComparedAreas, AFarCellFoldsTheEmptyStretchesIntoSingleLines) {
  ComparisonRun run({{"S", {{"A1", "x"}, {"XFD1048576", "far"}}}},
                    {{"S", {{"A1", "y"}, {"B2", "near"}}}});
  const ResultTranscript& result = run.run(compareWholeWorkbooks);
  EXPECT_EQ(run.outcome.differences, 3);
  EXPECT_EQ(result.starting("empty "), Entries{"empty 3/3..1048575"});
  EXPECT_EQ(result.starting("texts "),
            (Entries{"texts 1/1 x|y [B..XFD]", "texts 2/2 | |near [C..XFD]",
                     "texts 1048576/1048576 [A..XFC] far|"}));
  EXPECT_LT(result.entries.size(), kFewEntries);
}

TEST(ComparedAreas, AWholeSheetRangeOnASmallTableStaysSmall) {
  ComparisonRun run(kFirst, kSecond);
  run.request.sheet1 = 1;
  const ResultTranscript& result = run.run(rangeOf("A1:XFD1048576", ""));
  EXPECT_EQ(run.outcome.differences, 2);
  EXPECT_EQ(result.starting("empty "), Entries{"empty 4/4..1048576"});
  EXPECT_LT(result.entries.size(), kFewEntries);
}

TEST(ComparedAreas, KeyedTablesReachingTheWorksheetsEndStaySmall) {
  struct Case {
    Mode mode;
    std::string range, end;
  };
  const std::vector<Case> cases = {{Mode::Rows, "'Prices'!$A:$XFD", "1048576"},
                                   {Mode::Rows, "$A$1:$XFD$9", ""},
                                   {Mode::Columns, "Prices!$1:$1048576", "XFD"}};
  for (const Case& c : cases) {
    ComparisonRun run(kFirst, kSecond);
    run.request.sheet1 = 1;
    run.request.mode = c.mode;
    run.request.range1 = c.range;
    (c.mode == Mode::Rows ? run.request.endRow : run.request.endColumn) = c.end;
    const ResultTranscript& result =
        c.mode == Mode::Rows ? run.run(compareRows) : run.run(compareColumns);
    EXPECT_EQ(run.outcome.differences, 2) << c.range;
    EXPECT_LT(result.entries.size(), kFewEntries) << c.range;
  }
}

TEST(ComparedAreas, ShortEmptyStretchesKeepACellForEachPosition) {
  ComparisonRun run({{"S", {{"A1", "x"}, {"CV1001", "y"}}}}, {{"S", {{"A1", "x"}}}});
  const ResultTranscript& result =
      run.run(compareWholeWorkbooks);  // 100 columns; rows 2 to 1000 empty
  EXPECT_EQ(result.starting("empty "), Entries{});
  EXPECT_EQ(result.starting("texts ").size(), 1001u);
  for (const std::string& texts : result.starting("texts "))
    EXPECT_EQ(texts.find('['), std::string::npos) << texts;
  EXPECT_EQ(run.outcome.differences, 1);
}

}  // namespace
}  // namespace quill::test
