// Every link of the difference list lands on exactly one anchor of the grid, in every mode.
#include "support/document_links.h"

#include <gtest/gtest.h>

#include "engine/columns_comparison.h"
#include "engine/rows_comparison.h"
#include "engine/whole_workbook.h"
#include "request_run.h"

namespace quill::test {
namespace {

std::vector<std::string> lostLinks(const ComparisonRun& run) {
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
  ComparisonRun run(kKeyed1, kKeyed2);
  run.request.sheet1 = 1;
  run.request.mode = Mode::Rows;
  run.request.range1 = "$A:$B";
  run.request.identifying = "A";
  run.run(compareRows);
  EXPECT_EQ(run.outcome.differences, 2);  // A2 changed, A3 missing in the second file
  EXPECT_EQ(lostLinks(run), std::vector<std::string>{});
}

TEST(DocumentLinks, KeyRowsOfTheColumnModeCarryTheAnchorsOfTheirDifferingCells) {
  ComparisonRun run(kKeyed1, kKeyed2);
  run.request.sheet1 = 1;
  run.request.mode = Mode::Columns;
  run.request.range1 = "$1:$4";
  run.request.identifying = "2, 3";
  run.run(compareColumns);
  EXPECT_EQ(lostLinks(run), std::vector<std::string>{});
}

TEST(DocumentLinks, SheetsOfTheSameNameAtDifferentPositionsKeepTheirAnchorsApart) {
  // Position 3 exists in the second file only, under the first file's first sheet's name.
  ComparisonRun run({{"A", {{"B2", "1"}}}},
                    {{"X", {{"B2", "2"}}}, {"Y", {}}, {"A", {{"B2", "3"}}}});
  run.run(DoItByFile);
  EXPECT_EQ(run.outcome.differences, 2);
  EXPECT_EQ(lostLinks(run), std::vector<std::string>{});
}

}  // namespace
}  // namespace quill::test
