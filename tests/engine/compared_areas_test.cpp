// The areas a comparison reads: every area of a range, whole columns and rows, worksheet
// names before an address, and far cells that must not make the grid huge.
#include <gtest/gtest.h>

#include "engine/columns_comparison.h"
#include "engine/range_comparison.h"
#include "engine/rows_comparison.h"
#include "engine/whole_workbook.h"
#include "request_run.h"
#include "support/document_links.h"

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
    const WrittenDocuments docs = run.run(rangeOf(c.range, ""));
    EXPECT_EQ(run.outcome.differences, c.differences) << c.range;
    long tables = 0;
    for (std::size_t at = docs.grid.find("<h3>"); at != std::string::npos;
         at = docs.grid.find("<h3>", at + 1))
      ++tables;
    EXPECT_EQ(tables, c.tables) << c.range;
    EXPECT_LT(docs.grid.size(), 1'000'000u) << c.range;
  }
}

TEST(ComparedAreas, AFarCellFoldsTheEmptyStretchesIntoSingleLines) {
  ComparisonRun run({{"S", {{"A1", "x"}, {"XFD1048576", "far"}}}},
                    {{"S", {{"A1", "y"}, {"B2", "near"}}}});
  const WrittenDocuments docs = run.run(DoItByFile);
  EXPECT_EQ(run.outcome.differences, 3);
  EXPECT_NE(docs.grid.find(">&nbsp;Rows 3 - 1048575 are empty in both files&nbsp;</td>"),
            std::string::npos);
  EXPECT_NE(docs.grid.find(
                "<td class='data' colspan=16382>&nbsp;Columns C - XFD are empty in both files"),
            std::string::npos);
  EXPECT_LT(docs.grid.size(), 2'000'000u);
  EXPECT_EQ(linksThatDoNotLand(readFile(run.folder / "report.htm"),
                               readFile(run.folder / "visualized.htm")),
            std::vector<std::string>{});
}

TEST(ComparedAreas, AWholeSheetRangeOnASmallTableStaysSmall) {
  ComparisonRun run(kFirst, kSecond);
  run.request.sheet1 = 1;
  const WrittenDocuments docs = run.run(rangeOf("A1:XFD1048576", ""));
  EXPECT_EQ(run.outcome.differences, 2);
  EXPECT_NE(docs.grid.find("Rows 4 - 1048576 are empty in both files"), std::string::npos);
  EXPECT_LT(docs.grid.size(), 2'000'000u);
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
    const WrittenDocuments docs =
        c.mode == Mode::Rows ? run.run(compareRows) : run.run(compareColumns);
    EXPECT_EQ(run.outcome.differences, 2) << c.range;
    EXPECT_LT(docs.grid.size(), 100'000u) << c.range;
  }
}

TEST(ComparedAreas, ShortEmptyStretchesKeepACellForEachPosition) {
  ComparisonRun run({{"S", {{"A1", "x"}, {"CV1001", "y"}}}}, {{"S", {{"A1", "x"}}}});
  const WrittenDocuments docs = run.run(DoItByFile);  // 100 columns; rows 2 to 1000 empty
  EXPECT_EQ(docs.grid.find("are empty in both files"), std::string::npos);
  EXPECT_EQ(run.outcome.differences, 1);
}

}  // namespace
}  // namespace quill::test
