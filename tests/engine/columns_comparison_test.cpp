#include "engine/columns_comparison.h"

#include <gtest/gtest.h>

#include "engine/request_error.h"
#include "request_run.h"

namespace quill::test {
namespace {

// clang-format off
const std::vector<TestSheet> kFirst = {{"S", {
    {"A1", "key"},  {"B1", "k1"},  {"C1", "k2"},  {"D1", "k4"},
    {"A2", "name"}, {"B2", "pen"}, {"C2", "ink"},
    {"A3", "qty"},  {"B3", "3"},   {"C3", "5"},   {"D3", "z"}}}};
const std::vector<TestSheet> kSecond = {{"T", {
    {"A1", "key"},  {"B1", "k1"},  {"C1", "k9"},
    {"A2", "name"}, {"B2", "pen"}, {"C2", "Ink"},
    {"A3", "qty"},  {"B3", "4"},                  {"D3", "z"}}}};
// clang-format on

using Entries = std::vector<std::string>;

void askColumns(ComparisonRequest& request, const std::string& rows, const std::string& start,
                const std::string& identifying, const std::string& ignore) {
  request.sheet1 = 1;
  request.mode = Mode::Columns;
  request.range1 = rows;
  request.startColumn = start;
  request.identifying = identifying;
  request.ignored = ignore;
}

TEST(ColumnsComparison, KeyedModeShowsIdentifyingRowsUnderTheKeyHeader) {
  ComparisonRun run(kFirst, kSecond);
  askColumns(run.request, "$1:$3", "B", "1, 3", "");  // end column: the used D
  const ResultTranscript& result = run.run(compareColumns);

  // D's key is empty in the second file: a plain header, and a missing value below it.
  EXPECT_EQ(result.starting("columns "), Entries{"columns B C D"});
  EXPECT_EQ(result.starting("heading "), Entries{"heading B..D of 3 keyed"});
  EXPECT_EQ(result.starting("key header "), Entries{"key header 1/1"});
  EXPECT_EQ(result.starting("hidden "), Entries{"hidden 2/2"});
  EXPECT_EQ(result.starting("compared "), (Entries{"compared 1/1", "compared 3/3"}));
  EXPECT_EQ(
      result.starting("texts "),
      (Entries{"texts 1/1 k1|k1 k2|k9 k4|", "texts 1/1 k1|k1 k2|k9 k4|", "texts 3/3 3|4 5| z|z"}));
  EXPECT_EQ(
      result.starting("difference "),
      (Entries{"difference C1/C1 different value k2|k9 key",
               "difference C1/C1 different value k2|k9", "difference D1/D1 missing in FILE2 k4|",
               "difference B3/B3 different value 3|4", "difference C3/C3 missing in FILE2 5|"}));
  EXPECT_EQ(result.starting("caption "),
            Entries{"caption Compared areas: S and T\nStart column: B; end column: D\nStart row: "
                    "1; end row: 3\nIdentifying rows: 1, 3\n"});
  EXPECT_EQ(run.outcome.differences, 4);  // the key header's change is drawn, not listed
}

TEST(ColumnsComparison, PlainModeSkipsIgnoredRows) {
  ComparisonRun run(kFirst, kSecond);
  askColumns(run.request, "$2:$3", "A", "", "2");
  run.request.endColumn = "b";
  const ResultTranscript& result = run.run(compareColumns);

  EXPECT_EQ(result.starting("heading "), Entries{"heading A..B of 2"});
  EXPECT_EQ(result.starting("hidden "), Entries{"hidden 2/2"});
  EXPECT_EQ(result.starting("texts "), Entries{"texts 3/3 qty|qty 3|4"});
  EXPECT_EQ(result.starting("difference "), Entries{"difference B3/B3 different value 3|4"});
}

TEST(ColumnsComparison, FieldsThatDoNotFitFailNamingTheField) {
  struct Case {
    std::string rows, start, ignore, expected;
  };
  const std::vector<Case> cases = {
      {"$A$1:$F$20", "A", "",
       "Rows to include: \"$A$1:$F$20\" is not valid; expected whole rows, such as $1:$20"},
      {"$1:$3", "1", "", "Start column: \"1\" is not valid; expected column letters from A to XFD"},
      {"$1:$3", "A", "1, B",
       "Ignore rows: \"B\" is not valid; expected row numbers separated by commas, such as 1, 4, "
       "12"},
  };
  for (const Case& c : cases) {
    ComparisonRun run(kFirst, kSecond);
    askColumns(run.request, c.rows, c.start, "", c.ignore);
    try {
      run.run(compareColumns);
      ADD_FAILURE() << "no failure for " << c.expected;
    } catch (const RequestError& e) {
      EXPECT_EQ(std::string(e.what()), c.expected);
    }
  }
}

}  // namespace
}  // namespace quill::test
