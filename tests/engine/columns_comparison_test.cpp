#include "engine/columns_comparison.h"

#include <gtest/gtest.h>

#include "engine/request_error.h"
#include "report/templates.h"
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

std::string heading(const std::string& first, const std::string& last, long count) {
  std::string text;
  appendColumnsHeading(text, first, last, count);
  return text;
}

void askColumns(ComparisonRequest& request, const std::string& rows, const std::string& start,
                const std::string& identifying, const std::string& ignore) {
  request.sheet1 = 1;
  request.mode = Mode::Columns;
  request.range1 = rows;
  request.startColumn = start;
  request.identifying = identifying;
  request.ignored = ignore;
}

TEST(ColumnsComparison, KeyedModeShowsIdentifyingRowsAndPairsChangedColumns) {
  ComparisonRun run(kFirst, kSecond);
  askColumns(run.request, "$1:$3", "B", "1, 3", "");  // end column: the used D
  const WrittenDocuments docs = run.run(compareColumns);

  // D's key is empty in the second file: a plain header, and a missing value below it.
  std::string keyHeader, changedC1, commentD1, changedB3, commentC3, report;
  appendAddedCell(keyHeader, "one.xlsx", "S!C1", "C");
  appendRemovedCell(keyHeader, "one.xlsx", "S!C1", "C");
  appendPairedChangedCell(changedC1, "S!C1", "k2", "k9");
  appendCommentCell(commentD1, "two.xlsx", "S!D1", "k4");
  appendPairedChangedCell(changedB3, "S!B3", "3", "4");
  appendPairedCommentCell(commentC3, "two.xlsx", "S!C3", "5");
  appendDifferentValueRow(report, "S!C1", "k2", "k9");
  appendMissingValueRow(report, "two.xlsx", "S!D1");
  appendDifferentValueRow(report, "S!B3", "3", "4");
  appendMissingValueRow(report, "two.xlsx", "S!C3");
  EXPECT_EQ(docs.grid, heading("B", "D", 3) + kCorner + header("B") + keyHeader + header("D") +
                           "<tr>" + header("1") + data("k1") + changedC1 + commentD1 + "<tr><tr>" +
                           header("3") + changedB3 + commentC3 + data("z") + "</table>");
  EXPECT_EQ(docs.report, "<table>" + report + "</table>");
  EXPECT_EQ(docs.caption,
            "Compared areas: S and T<br>Start column: B; end column: D<br>Start row: 1; end row: "
            "3<br>Identifying rows: 1, 3<br>");
}

TEST(ColumnsComparison, PlainModeSkipsIgnoredRowsWithEmptyRowsInBothBodies) {
  ComparisonRun run(kFirst, kSecond);
  askColumns(run.request, "$2:$3", "A", "", "2");
  run.request.endColumn = "b";
  const WrittenDocuments docs = run.run(compareColumns);

  std::string changed, row;
  appendChangedCell(changed, "S!B3", "3", "4");
  appendDifferentValueRow(row, "S!B3", "3", "4");
  EXPECT_EQ(docs.grid, heading("A", "B", 2) + kCorner + header("A") + header("B") + "<tr><tr>" +
                           header("3") + data("qty") + changed + "</table>");
  EXPECT_EQ(docs.report, "<table><tr><tr>" + row + "</table>");
}

TEST(ColumnsComparison, PairingColumnTwelveLeavesColumnsOneAndTwoSingle) {
  std::vector<std::pair<std::string, std::string>> cells1, cells2;
  for (const char* column : {"A", "B", "L"}) {
    for (const char* row : {"1", "3"}) {
      cells1.push_back({std::string(column) + row, "same"});
      cells2.push_back({std::string(column) + row, "same"});
    }
  }
  cells1.push_back({"L2", "old"});
  cells2.push_back({"L2", "new"});
  ComparisonRun run({{"S", cells1}}, {{"S", cells2}});
  askColumns(run.request, "$1:$3", "A", "1 2 3", "");
  const WrittenDocuments docs = run.run(compareColumns);

  // Row 3: only column L (12) is drawn in its paired form.
  std::string row3 = "<tr>" + header("3");
  for (int column = 1; column <= 12; ++column)
    row3 += column == 12 ? data("same") + "<td>&nbsp</td>" : data(column <= 2 ? "same" : "");
  EXPECT_TRUE(docs.grid.ends_with(row3 + "</table>")) << docs.grid;
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
