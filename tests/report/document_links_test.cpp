// Every link of the difference list lands on exactly one anchor of the grid, in every mode.
#include "support/document_links.h"

#include <gtest/gtest.h>

#include "document_run.h"
#include "engine/columns_comparison.h"
#include "engine/rows_comparison.h"
#include "engine/whole_workbook.h"

namespace quill::test {
namespace {

std::vector<std::string> lostLinks(const DocumentRun& run) {
  const std::string report = readFile(run.folder / "report.htm");
  const std::string grid = readFile(run.folder / "visualized.htm");
  EXPECT_NE(report.find("visualized.htm#"), std::string::npos) << "no link to check";
  return linksThatDoNotLand(report, grid);
}

// clang-format off
const std::vector<TestSheet> kKeyed1 = {{"T", {
    {"A1", "id"}, {"B1", "v"}, {"A2", "1"}, {"B2", "x"}, {"A3", "2"}, {"B3", "y"}, {"A4", "3"}}}};
const std::vector<TestSheet> kKeyed2 = {{"T", {
    {"A1", "id"}, {"B1", "v"}, {"A2", "7"}, {"B2", "x"}, {"B3", "y"}, {"A4", "3"}, {"B4", "z"}}}};
// clang-format on

TEST(DocumentLinks, KeyLinesOfTheRowModeCarryTheAnchorsOfTheirDifferingKeyCells) {
  DocumentRun run(kKeyed1, kKeyed2);
  run.request.sheet1 = 1;
  run.request.mode = Mode::Rows;
  run.request.range1 = "$A:$B";
  run.request.identifying = "A";
  run.run(compareRows);
  EXPECT_EQ(run.outcome.differences, 2);  // A2 changed, A3 missing in the second file
  EXPECT_EQ(lostLinks(run), std::vector<std::string>{});
}

TEST(DocumentLinks, KeyRowsOfTheColumnModeCarryTheAnchorsOfTheirDifferingCells) {
  DocumentRun run(kKeyed1, kKeyed2);
  run.request.sheet1 = 1;
  run.request.mode = Mode::Columns;
  run.request.range1 = "$1:$4";
  run.request.identifying = "2, 3";
  run.run(compareColumns);
  EXPECT_EQ(lostLinks(run), std::vector<std::string>{});
}

TEST(DocumentLinks, SheetsOfTheSameNameAtDifferentPositionsKeepTheirAnchorsApart) {
  // Position 3 exists in the second file only, under the first file's first sheet's name.
  DocumentRun run({{"A", {{"B2", "1"}}}}, {{"X", {{"B2", "2"}}}, {"Y", {}}, {"A", {{"B2", "3"}}}});
  run.run(compareWholeWorkbooks);
  EXPECT_EQ(run.outcome.differences, 2);
  EXPECT_EQ(lostLinks(run), std::vector<std::string>{});
}

TEST(DocumentLinks, FoldedEmptyStretchesAroundAFarCellLeaveEveryLinkLanding) {
  DocumentRun run({{"S", {{"A1", "x"}, {"XFD1048576", "far"}}}},
                  {{"S", {{"A1", "y"}, {"B2", "near"}}}});
  const WrittenDocuments docs = run.run(compareWholeWorkbooks);
  EXPECT_NE(docs.grid.find(">&nbsp;Rows 3 - 1048575 are empty in both files&nbsp;</td>"),
            std::string::npos);
  EXPECT_NE(docs.grid.find(
                "<td class='data' colspan=16382>&nbsp;Columns C - XFD are empty in both files"),
            std::string::npos);
  EXPECT_LT(docs.grid.size(), 2'000'000u);
  EXPECT_EQ(lostLinks(run), std::vector<std::string>{});
}

// Rows paired by key, with rows of one file alone and a repeated key, and columns paired by
// key with one added.
TEST(DocumentLinks, RowsAndColumnsPairedByKeyKeepEveryLinkLanding) {
  DocumentRun rows({{"T",
                     {{"A1", "id"},
                      {"B1", "v"},
                      {"A2", "a"},
                      {"B2", "1"},
                      {"A3", "b"},
                      {"B3", "2"},
                      {"A4", "a"},
                      {"B4", "3"},
                      {"A5", "gone"},
                      {"B5", "4"}}}},
                   {{"T",
                     {{"A1", "id"},
                      {"B1", "v"},
                      {"A2", "a"},
                      {"B2", "3"},
                      {"A3", "new"},
                      {"B3", "5"},
                      {"A4", "b"},
                      {"B4", "2"},
                      {"A5", "a"},
                      {"B5", "1"}}}});
  rows.request.sheet1 = 1;
  rows.request.mode = Mode::Rows;
  rows.request.range1 = "$A:$C";
  rows.request.identifying = "A";
  rows.request.options.matchKey = true;
  rows.run(compareRows);
  EXPECT_EQ(lostLinks(rows), std::vector<std::string>{});

  DocumentRun columns(
      {{"T", {{"A1", "k1"}, {"B1", "k2"}, {"A2", "x"}, {"B2", "y"}}}},
      {{"T", {{"A1", "k2"}, {"B1", "k1"}, {"C1", "k3"}, {"A2", "Y"}, {"B2", "x"}, {"C2", "w"}}}});
  columns.request.sheet1 = 1;
  columns.request.mode = Mode::Columns;
  columns.request.range1 = "$1:$2";
  columns.request.identifying = "1";
  columns.request.options.matchKey = true;
  columns.run(compareColumns);
  EXPECT_EQ(lostLinks(columns), std::vector<std::string>{});
}

}  // namespace
}  // namespace quill::test
