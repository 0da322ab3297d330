// The documents of an aligned comparison: one list row for each added or removed row, column
// and sheet and each renamed or moved sheet, every link landing on its place in the grid,
// drawn in the legend's colours; the counts agree with the list.
#include <gtest/gtest.h>

#include <regex>

#include "document_run.h"
#include "engine/range_comparison.h"
#include "engine/whole_workbook.h"
#include "report/aligned_markup.h"
#include "support/document_links.h"

namespace quill::test {
namespace {

long occurrences(const std::string& text, const std::string& part) {
  long count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++count;
  return count;
}

// Each row of the list as "what|the text its link shows", in order.
std::vector<std::string> listedItems(const std::string& report) {
  const std::regex row(
      R"re(<tr><td align=left>([^<]*)</td><td[^>]*><a href="[^"]*"[^>]*>([^<]*)</a>)re");
  std::vector<std::string> items;
  for (std::sregex_iterator it(report.begin(), report.end(), row), end; it != end; ++it)
    items.push_back((*it)[1].str() + "|" + (*it)[2].str());
  return items;
}

// The label of each row of the grid, in order: the text of its first cell.
std::vector<std::string> rowLabels(const std::string& grid) {
  const std::regex first(R"re(<tr><td class='[a-z]+'>(?:<a [^>]*>)?(?:&nbsp;)?([^<&]*))re");
  std::vector<std::string> labels;
  for (std::sregex_iterator it(grid.begin(), grid.end(), first), end; it != end; ++it)
    labels.push_back((*it)[1].str());
  return labels;
}

// clang-format off
const std::vector<TestSheet> kFirst = {
    {"Data", {{"A1", "id"}, {"B1", "v"}, {"A2", "1"}, {"B2", "x"}, {"A3", "2"}, {"B3", "y"},
              {"A4", "3"}, {"B4", "z"}}},
    {"Old", {{"A1", "gone"}}},
    {"Notes", {{"A1", "n1"}, {"A2", "n2"}}}};
const std::vector<TestSheet> kSecond = {
    {"Remarks", {{"A1", "n1"}, {"A2", "n2"}}},
    {"Data", {{"A1", "id"}, {"B1", "w"}, {"C1", "v"}, {"A2", "1"}, {"C2", "x"}, {"A3", "9"},
              {"C3", "new"}, {"A4", "2"}, {"C4", "y"}, {"A5", "3"}, {"C5", "Z"}}},
    {"Fresh", {{"A1", "here"}}}};
// clang-format on

TEST(AlignedDocuments, EveryKindOfChangeIsListedOnceAndLinked) {
  DocumentRun run(kFirst, kSecond);
  run.request.options.align = true;
  const WrittenDocuments docs = run.run(compareWholeWorkbooks);
  ASSERT_TRUE(docs.written);
  const std::vector<std::pair<std::string, long>> listed = {
      {">Row added<", 1},      {">Row removed<", 0}, {">Column added<", 1},
      {">Column removed<", 0}, {">Sheet added<", 1}, {">Sheet removed<", 1},
      {">Sheet renamed<", 1},  {">Sheet moved<", 1}, {">Different value<", 1}};
  for (const auto& [what, count] : listed) EXPECT_EQ(occurrences(docs.report, what), count) << what;
  EXPECT_EQ(run.outcome.differences, 7);
  EXPECT_EQ(run.outcome.sheetsCompared, 4);
  EXPECT_EQ(run.outcome.sheetsWithDifferences, 4);
  EXPECT_EQ(linksThatDoNotLand(readFile(run.folder / "report.htm"),
                               readFile(run.folder / "visualized.htm")),
            std::vector<std::string>{});
  // The added row and column and the sheets of one file are drawn in the legend's colours.
  EXPECT_NE(docs.grid.find("<td class='added'>&nbsp;new&nbsp;</td>"), std::string::npos);
  EXPECT_NE(docs.grid.find("<td class='added'>&nbsp;here&nbsp;</td>"), std::string::npos);
  EXPECT_NE(docs.grid.find("<td class='removed'>&nbsp;gone&nbsp;</td>"), std::string::npos);
}

TEST(AlignedDocuments, ListNamesPlacesAsTheTextOutputDoesAndTheGridBothRowNumbers) {
  DocumentRun run({kFirst[0]}, {kSecond[1]});
  run.request.options.align = true;
  const WrittenDocuments docs = run.run(compareWholeWorkbooks);
  ASSERT_TRUE(docs.written);
  EXPECT_EQ(listedItems(docs.report),
            (std::vector<std::string>{"Column added|Data!B", "Row added|Data!3",
                                      "Different value|Data!B4"}));
  // The inserted row and the rows below it never share a number.
  EXPECT_EQ(rowLabels(docs.grid), (std::vector<std::string>{"", "1", "2", "3", "3/4", "4/5"}));
  EXPECT_NE(docs.grid.find("<td class='header'>B/C</td>"), std::string::npos);
}

TEST(AlignedLabels, NameBothFilesNumbersWhereTheyDiffer) {
  struct Case {
    long first, second;
    std::string row, column;
  };
  const std::vector<Case> cases = {
      {4, 4, "4", "D"}, {4, 5, "4/5", "D/E"},    {0, 5, "5", "E"},
      {4, 0, "4", "D"}, {27, 3, "27/3", "AA/C"},
  };
  for (const Case& c : cases) {
    Line line;
    line.row1 = c.first;
    line.row2 = c.second;
    EXPECT_EQ(alignedRowLabel(line, true), c.row) << c.first << "/" << c.second;
    EXPECT_EQ(alignedColumnLabel(ColumnPair{c.first, c.second}, true), c.column)
        << c.first << "/" << c.second;
    // Rows paired by key alone keep file 1's number.
    EXPECT_EQ(alignedRowLabel(line, false), std::to_string(c.first ? c.first : c.second));
  }
}

TEST(AlignedDocuments, RangeOfWholeColumnsIsAlignedOverWhatItHolds) {
  DocumentRun run({kFirst[0]}, {kSecond[1]});
  run.request.options.align = true;
  run.request.sheet1 = 1;
  const WrittenDocuments docs =
      run.run([](ComparisonContext& context) { return compareRange(context, "$A:$C", ""); });
  ASSERT_TRUE(docs.written);
  EXPECT_EQ(occurrences(docs.report, ">Row added<"), 1);
  EXPECT_EQ(occurrences(docs.report, ">Column added<"), 1);
  EXPECT_EQ(occurrences(docs.report, ">Different value<"), 1);
  EXPECT_EQ(run.outcome.differences, 3);
}

TEST(AlignedDocuments, PositionalDocumentsDoNotChangeWithoutTheOption) {
  DocumentRun run(kFirst, kSecond);
  const WrittenDocuments docs = run.run(compareWholeWorkbooks);
  EXPECT_EQ(occurrences(docs.report, "added<"), 0);
  EXPECT_EQ(occurrences(docs.grid, "class='added'"), 0);
}

}  // namespace
}  // namespace quill::test
