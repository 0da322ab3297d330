#include "engine/rows_comparison.h"

#include <gtest/gtest.h>

#include "engine/columns_comparison.h"
#include "engine/request_error.h"
#include "request_run.h"

namespace quill::test {
namespace {

// clang-format off
const std::vector<TestSheet> kFirst = {{"Data", {
    {"A1", "id"}, {"B1", "name"}, {"C1", "qty"}, {"D1", "note"},
    {"A2", "1"},  {"B2", "pen"},  {"C2", "3"},   {"D2", "x"},
    {"A3", "2"},  {"B3", "ink"},  {"C3", "5"},   {"D3", "y"},
    {"A4", "3"},  {"B4", "cap"},  {"C4", "7"}}}};
const std::vector<TestSheet> kSecond = {{"Data2", {
    {"A1", "id"}, {"B1", "name"}, {"C1", "qty"}, {"D1", "note"},
    {"A2", "1"},  {"B2", "pen"},  {"C2", "4"},   {"D2", "x"},
    {"A3", "9"},  {"B3", "ink"},  {"C3", "5"},   {"D3", "z"},
    {"A4", "3"},  {"B4", "Cap"},  {"C4", "7"},   {"D4", "w"}}}};
// clang-format on

using Entries = std::vector<std::string>;

TEST(RowsComparison, KeyedRowShowsFirstFileLineThenSecondFileLine) {
  ComparisonRun run(kFirst, kSecond);
  run.request.sheet1 = 1;
  run.request.mode = Mode::Rows;
  run.request.range1 = "$A:$D";
  run.request.startRow = "2";  // the end row is the used area's last row, 4
  run.request.identifying = "A";
  run.request.ignored = "D";
  const ResultTranscript& result = run.run(compareRows);

  // Only the row whose key differs lists anything: its differing key cell.
  EXPECT_EQ(result.starting("columns "), Entries{"columns A B C"});
  EXPECT_EQ(result.starting("heading "), Entries{"heading 2..4 of 4 keyed"});
  EXPECT_EQ(result.starting("key "),
            (Entries{"key unchanged 2/2", "key changed 3/3", "key unchanged 4/4"}));
  EXPECT_EQ(result.starting("texts "),
            (Entries{"texts 2/2 1|1 pen|pen 3|4", "texts 3/3 2|9 ink|ink 5|5",
                     "texts 4/4 3|3 cap|Cap 7|7"}));
  EXPECT_EQ(result.starting("difference "), Entries{"difference A3/A3 different value 2|9 key"});
  EXPECT_EQ(result.starting("caption "),
            Entries{"caption Compared areas: Data and Data2\nStart column: A; end column: "
                    "D\nStart row: 2; end row: 4\nIdentifying columns: A\nIgnore columns: D"});
  EXPECT_EQ(run.outcome.differences, 1);
}

TEST(RowsComparison, PlainModeComparesTheAreaWhereItLies) {
  ComparisonRun run(kFirst, kSecond);
  run.request.sheet1 = 1;
  run.request.mode = Mode::Rows;
  run.request.range1 = "$B$1:$C$30";
  run.request.startRow = " 3 ";
  run.request.endRow = "4";
  const ResultTranscript& result = run.run(compareRows);

  EXPECT_EQ(result.starting("columns "), Entries{"columns B C"});
  EXPECT_EQ(result.starting("heading "), Entries{"heading 3..4 of 2"});
  EXPECT_EQ(result.starting("texts "), (Entries{"texts 3/3 ink|ink 5|5", "texts 4/4 cap|Cap 7|7"}));
  EXPECT_EQ(result.starting("difference "), Entries{"difference B4/B4 different value cap|Cap"});
  EXPECT_EQ(result.starting("caption "),
            Entries{"caption Compared areas: Data and Data2\nStart column: B; end column: "
                    "C\nStart row: 3; end row: 4\n"});
}

// The rows and columns modes align when asked, and their caption names every option they use.
TEST(RowsComparison, KeyedModesNameAlignmentInTheirCaption) {
  for (const Mode mode : {Mode::Rows, Mode::Columns}) {
    ComparisonRun run(kFirst, kSecond);
    run.request.sheet1 = 1;
    run.request.mode = mode;
    run.request.range1 = mode == Mode::Rows ? "$A:$D" : "$1:$4";
    run.request.identifying = mode == Mode::Rows ? "A" : "1";
    run.request.options.align = true;
    run.request.options.ignoreCase = true;
    run.request.options.matchKey = true;
    const ResultTranscript& result =
        mode == Mode::Rows ? run.run(compareRows) : run.run(compareColumns);
    const Entries caption = result.starting("caption ");
    ASSERT_EQ(caption.size(), 1u);
    EXPECT_TRUE(
        caption[0].ends_with("\nOptions: ignore case; align inserted and deleted rows, columns "
                             "and sheets; match by identifying columns or rows"))
        << caption[0];
  }
}

TEST(RowsComparison, ListItemsNameWholeColumnsInEitherCase) {
  struct Case {
    std::string identifying, ignore;
    bool keyDiffers;
  };
  // A2 and B2 differ, AB2 agrees.
  const std::vector<Case> cases = {
      {"AB", "", false}, {"a", "", true}, {"A B", "", true}, {"AB", "A,b", false}};
  for (const Case& c : cases) {
    ComparisonRun run({{"S", {{"A2", "1"}, {"B2", "2"}, {"AB2", "k"}}}},
                      {{"S", {{"A2", "7"}, {"B2", "8"}, {"AB2", "k"}}}});
    run.request.sheet1 = 1;
    run.request.mode = Mode::Rows;
    run.request.range1 = "$A:$AB";
    run.request.startRow = "2";
    run.request.identifying = c.identifying;
    run.request.ignored = c.ignore;
    const ResultTranscript& result = run.run(compareRows);
    EXPECT_EQ(result.starting("key changed ").size(), c.keyDiffers ? 1u : 0u)
        << c.identifying << " / " << c.ignore;
    EXPECT_EQ(run.outcome.differences, c.keyDiffers ? (c.identifying == "a" ? 1 : 2) : 0);
  }
}

TEST(RowsComparison, FieldsThatDoNotFitFailNamingTheFieldAndWriteNothing) {
  struct Case {
    std::string range, start, end, identifying, expected;
  };
  const std::vector<Case> cases = {
      {"$A:$D", "4.5", "", "",
       "Start row: \"4.5\" is not valid; expected a whole number from 1 to 1048576"},
      {"$A:$D", "1", "1048577", "",
       "End row: \"1048577\" is not valid; expected a whole number from 1 to 1048576"},
      {"$1:$20", "1", "", "",
       "Columns to include: \"$1:$20\" is not valid; expected the columns of one area, such as "
       "$B:$F or $B$1:$F$30"},
      {"$B", "1", "", "",
       "Columns to include: \"$B\" is not valid; expected the columns of one area, such as $B:$F "
       "or $B$1:$F$30"},
      {"$A:$D", "1", "", "A, 1",
       "Identifying columns: \"1\" is not valid; expected column letters separated by commas, "
       "such as A, C, D"},
  };
  for (const Case& c : cases) {
    ComparisonRun run(kFirst, kSecond);
    run.request.sheet2 = 1;
    run.request.mode = Mode::Rows;
    run.request.range1 = c.range;
    run.request.startRow = c.start;
    run.request.endRow = c.end;
    run.request.identifying = c.identifying;
    try {
      run.run(compareRows);
      ADD_FAILURE() << "no failure for " << c.expected;
    } catch (const RequestError& e) {
      EXPECT_EQ(std::string(e.what()), c.expected);
    }
    EXPECT_FALSE(run.transcript.finished);
  }
}

}  // namespace
}  // namespace quill::test
