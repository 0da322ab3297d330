#include "engine/range_comparison.h"

#include <gtest/gtest.h>

#include "engine/request_error.h"
#include "request_run.h"

namespace quill::test {
namespace {

ComparisonOutcome rangeOf(ComparisonContext& context) {
  return compareRange(context, context.request.range1, context.request.range2);
}

using Entries = std::vector<std::string>;

TEST(RangeComparison, ReadsEachRangeWhereItLiesAndNamesTheFirstFilesCells) {
  // The second range is a row taller: the first file's cells below its range are read too.
  ComparisonRun run({{"Left", {{"B2", "a"}, {"C2", "b"}, {"B3", "c"}, {"C3", "x"}}}},
                    {{"Right", {{"D5", "a"}, {"E5", "b"}, {"D6", "c"}, {"E6", "y"}, {"E7", "z"}}}});
  run.request.sheet1 = 1;
  run.request.range1 = "$B$2:$C$3";
  run.request.range2 = "$D$5:$E$7";
  const ResultTranscript& result = run.run(rangeOf);

  EXPECT_EQ(result.starting("table "), Entries{"table Left|Right positions 1/1"});
  EXPECT_EQ(result.starting("columns "), Entries{"columns B C"});
  EXPECT_EQ(result.starting("compared "),
            (Entries{"compared 2/5", "compared 3/6", "compared 4/7"}));
  EXPECT_EQ(result.starting("texts "),
            (Entries{"texts 2/5 a|a b|b", "texts 3/6 c|c x|y", "texts 4/7 | |z"}));
  EXPECT_EQ(result.starting("difference "), (Entries{"difference C3/E6 different value x|y",
                                                     "difference C4/E7 missing in FILE1 |z"}));
  EXPECT_EQ(result.starting("caption "), Entries{"caption "});
  EXPECT_TRUE(result.finished);
  EXPECT_EQ(run.outcome.differences, 2);
  EXPECT_FALSE(run.session.isOpen());
}

TEST(RangeComparison, OneRangeAndOneWorksheetServeBothFiles) {
  ComparisonRun run({{"S1", {{"B2", "1"}}}, {"Named", {{"A1", "p"}, {"A3", "q"}}}},
                    {{"T1", {}}, {"Other", {{"A1", "p"}, {"A2", "r"}}}});
  run.request.sheet2 = 2;  // sheet1 unset: both files use their second sheet
  run.request.range2 = "$A$1:$A$3";
  const ResultTranscript& result = run.run(rangeOf);

  EXPECT_EQ(result.starting("table "), Entries{"table Named|Other positions 2/2"});
  EXPECT_EQ(result.starting("texts "), (Entries{"texts 1/1 p|p", "texts 2/2 |r", "texts 3/3 q|"}));
  EXPECT_EQ(result.starting("difference "), (Entries{"difference A2/A2 missing in FILE1 |r",
                                                     "difference A3/A3 missing in FILE2 q|"}));
}

TEST(RangeComparison, FieldsThatDoNotFitFailNamingTheFieldAndWriteNothing) {
  struct Case {
    std::optional<int> sheet1, sheet2;
    std::string range1, range2, expected;
  };
  const std::vector<Case> cases = {
      {1,
       {},
       "B1:",
       "",
       "Range of Excel File #1: \"B1:\" is not valid; expected an address such as $B$1:$F$30, "
       "$B:$F or $1:$20"},
      {1,
       {},
       "",
       "",
       "Range of Excel File #1 is empty; expected an address such as $B$1:$F$30, $B:$F or $1:$20"},
      {1,
       {},
       "A1:A2,C3",
       "B1",
       "Range of Excel File #1 has 2 areas and Range of Excel File #2 has 1; give both the same "
       "number of areas, each compared with the area at the same place in the other"},
      {1,
       {},
       "Other!$A:$C",
       "",
       "Range of Excel File #1: \"Other!$A:$C\" names the worksheet Other, not the chosen "
       "worksheet S"},
      {1,
       {},
       "'S!$A:$C",
       "",
       "Range of Excel File #1: \"'S!$A:$C\" has a worksheet name without its closing '"},
      {1, 3, "$A$1", "", "Worksheet of Excel File #2: the workbook has no worksheet 3; it has 1"},
      {{}, {}, "$A$1", "", "Worksheet of Excel File #1: no worksheet is chosen in either file"},
      {1,
       {},
       "$A$1048570:$A$1048576",
       "$A$1:$A$9",
       "Range of Excel File #1: $A$1048570:$A$1048576 cannot take 9 rows and 1 columns like the "
       "larger range; the worksheet ends at row 1048576 and column XFD"},
  };
  for (const Case& c : cases) {
    ComparisonRun run({{"S", {{"A1", "x"}}}}, {{"S", {}}});
    run.request.sheet1 = c.sheet1;
    run.request.sheet2 = c.sheet2;
    run.request.range1 = c.range1;
    run.request.range2 = c.range2;
    try {
      run.run(rangeOf);
      ADD_FAILURE() << "no failure for " << c.range1;
    } catch (const RequestError& e) {
      EXPECT_EQ(std::string(e.what()), c.expected);
    }
    EXPECT_FALSE(run.transcript.finished);
    EXPECT_TRUE(run.session.isOpen());
  }
}

}  // namespace
}  // namespace quill::test
