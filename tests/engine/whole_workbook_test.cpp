#include "engine/whole_workbook.h"

#include <gtest/gtest.h>

#include <fstream>

#include "report/documents.h"
#include "report/html_result_writer.h"
#include "report/templates.h"
#include "formats/session.h"
#include "support/collecting_error_box.h"
#include "support/memory_workbook.h"
#include "support/recording_progress.h"
#include "support/temporary_folder.h"

namespace quill {
namespace {

using test::RecordingProgress;
using test::TestSheet;

// Runs the whole-workbook comparison of two in-memory workbooks into a temporary folder.
class WholeWorkbookTest : public ::testing::Test {
 protected:
  ComparisonOutcome compare(const std::vector<TestSheet>& first,
                            const std::vector<TestSheet>& second) {
    session = test::makeSession(first, second);
    HtmlResultWriter documents(folder.path());
    ComparisonContext context{request,  session, documents,
                              progress, errors,  [] { return std::string("2026-12-07 10:00:00"); }};
    ComparisonOutcome outcome = DoItByFile(context);
    report = test::readFile(folder.path() / "report.htm");
    grid = test::readFile(folder.path() / "visualized.htm");
    return outcome;
  }
  // The part of a document between its head and its tail.
  std::string reportBody() const {
    DocumentTitle title{request.path1, request.path2, "2026-12-07 10:00:00", ""};
    return report.substr(
        reportDocumentHead(title).size(),
        report.size() - reportDocumentHead(title).size() - reportDocumentTail().size());
  }
  std::string gridBody() const {
    DocumentTitle title{request.path1, request.path2, "2026-12-07 10:00:00", ""};
    return grid.substr(gridDocumentHead(title).size(),
                       grid.size() - gridDocumentHead(title).size() - gridDocumentTail().size());
  }

  ComparisonRequest request = [] {
    ComparisonRequest r;
    r.path1 = "one.xlsx";
    r.path2 = "two.xlsx";
    return r;
  }();
  SpreadsheetSession session;
  test::TemporaryFolder folder;
  RecordingProgress progress;
  test::CollectingErrorBox errors;
  std::string report, grid;
};

TEST_F(WholeWorkbookTest, EqualWorkbooksGiveAnEmptyListAndAFullGrid) {
  const std::vector<TestSheet> book{{"Data", {{"A1", "x"}, {"B2", "7"}}}};
  ComparisonOutcome outcome = compare(book, book);
  EXPECT_EQ(outcome.differences, 0);
  EXPECT_TRUE(outcome.documentsWritten);
  EXPECT_EQ(reportBody(), "");
  EXPECT_EQ(gridBody(),
            "<h3>Data</h3><table colls=2><tr><td class='header'></td><td class='header'>A</td>"
            "<td class='header'>B</td>"
            "<tr><td class='header'>1</td><td class='data'>&nbsp;x&nbsp;</td><td "
            "class='data'>&nbsp;&nbsp;</td>"
            "<tr><td class='header'>2</td><td class='data'>&nbsp;&nbsp;</td><td "
            "class='data'>&nbsp;7&nbsp;</td>"
            "</table>");
  EXPECT_TRUE(errors.texts.empty());
  EXPECT_FALSE(session.first);
  EXPECT_FALSE(session.second);
}

TEST_F(WholeWorkbookTest, EachKindOfDifferenceGivesOneRowAndOneCellInReadingOrder) {
  ComparisonOutcome outcome = compare({{"S1", {{"A1", "same"}, {"B1", "old"}, {"A2", "only1"}}}},
                                      {{"S2", {{"A1", "same"}, {"B1", "new"}, {"B2", "only2"}}}});
  EXPECT_EQ(outcome.differences, 3);
  std::string expectedReport;
  appendDifferentValueRow(expectedReport, "S1!B1", "old", "new");
  appendMissingValueRow(expectedReport, "two.xlsx", "S1!A2");
  appendMissingValueRow(expectedReport, "one.xlsx", "S1!B2");
  EXPECT_EQ(reportBody(), expectedReport);
  // Every anchor names the first workbook's sheet, so every link lands.
  std::string expectedRow2;
  appendCommentCell(expectedRow2, "two.xlsx", "S1!A2", "only1");
  appendCommentCell(expectedRow2, "one.xlsx", "S1!B2", "only2");
  EXPECT_NE(gridBody().find(expectedRow2), std::string::npos);
  std::string changed;
  appendChangedCell(changed, "S1!B1", "old", "new");
  EXPECT_NE(gridBody().find(changed), std::string::npos);
}

TEST_F(WholeWorkbookTest, CellTextRulesDecideEquality) {
  compare({{"S", {{"A1", " padded "}, {"B1", "Case"}, {"C1", "1"}}}},
          {{"S", {{"A1", "padded"}, {"B1", "case"}, {"C1", "1"}}}});
  std::string expected;
  appendDifferentValueRow(expected, "S!B1", "Case", "case");
  EXPECT_EQ(reportBody(), expected);
}

TEST_F(WholeWorkbookTest, TheAreaRunsFromA1ToTheLastUsedCellOfEitherSheet) {
  // The first sheet's used area starts at C3; the second's reaches further down and right.
  ComparisonOutcome outcome = compare({{"S", {{"C3", "a"}, {"D4", "b"}}}},
                                      {{"S", {{"C3", "a"}, {"D4", "b"}, {"E6", "c"}}}});
  EXPECT_EQ(outcome.differences, 1);
  std::string expected;
  appendMissingValueRow(expected, "one.xlsx", "S!E6");
  EXPECT_EQ(reportBody(), expected);
  EXPECT_TRUE(gridBody().starts_with("<h3>S</h3><table colls=5><tr>"));
  EXPECT_EQ(progress.maxima, (std::vector<long>{6}));
  EXPECT_EQ(progress.values, (std::vector<long>{1, 2, 3, 4, 5, 6}));
}

TEST_F(WholeWorkbookTest, SheetsArePairedByPositionNotName) {
  ComparisonOutcome outcome = compare({{"A", {{"A1", "1"}}}, {"B", {{"A1", "2"}}}},
                                      {{"B", {{"A1", "2"}}}, {"A", {{"A1", "1"}}}});
  EXPECT_EQ(outcome.differences, 2);
  EXPECT_EQ(outcome.sheetsCompared, 2);
  EXPECT_EQ(outcome.sheetsWithDifferences, 2);
}

TEST_F(WholeWorkbookTest, ASheetInOneFileOnlyIsComparedWithAnEmptySheet) {
  ComparisonOutcome outcome =
      compare({{"Main", {{"A1", "x"}}}}, {{"Main", {{"A1", "x"}}}, {"Extra", {{"B1", "y"}}}});
  EXPECT_EQ(outcome.differences, 1);
  EXPECT_TRUE(errors.texts.empty());
  std::string expected;
  appendMissingValueRow(expected, "one.xlsx", "Extra!B1");
  EXPECT_EQ(reportBody(), expected);
  EXPECT_NE(gridBody().find("<h3>Extra</h3>"), std::string::npos);

  compare({{"Main", {{"A1", "x"}}}, {"Gone", {{"A2", "z"}}}}, {{"Main", {{"A1", "x"}}}});
  expected.clear();
  appendMissingValueRow(expected, "two.xlsx", "Gone!A2");
  EXPECT_EQ(reportBody(), expected);
  EXPECT_TRUE(errors.texts.empty());
}

TEST_F(WholeWorkbookTest, EmptySheetsGiveOneEmptyCell) {
  ComparisonOutcome outcome = compare({{"E", {}}}, {{"E", {}}});
  EXPECT_EQ(outcome.differences, 0);
  EXPECT_EQ(gridBody(),
            "<h3>E</h3><table colls=1><tr><td class='header'></td><td class='header'>A</td>"
            "<tr><td class='header'>1</td><td class='data'>&nbsp;&nbsp;</td></table>");
}

TEST_F(WholeWorkbookTest, AWorkbookThatDidNotOpenIsReportedOnceAndNothingIsWritten) {
  session = test::makeSession({{"S", {}}}, {{"S", {}}});
  session.second.reset();
  HtmlResultWriter documents(folder.path());
  ComparisonContext context{request, session, documents, progress, errors, {}};
  ComparisonOutcome outcome = DoItByFile(context);
  EXPECT_FALSE(outcome.documentsWritten);
  ASSERT_EQ(errors.texts.size(), 1u);
  EXPECT_NE(errors.texts[0].find("in Pellinor2021/08/31.Excel1.DoItByFile at line 100"),
            std::string::npos);
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
  EXPECT_FALSE(session.first);
}

TEST_F(WholeWorkbookTest, AnUnwritableFolderIsReportedAndTheSessionStillCloses) {
  session = test::makeSession({{"S", {{"A1", "1"}}}}, {{"S", {{"A1", "2"}}}});
  test::TemporaryFolder parent;
  std::ofstream(parent.path() / "file") << "x";
  HtmlResultWriter documents(parent.path() / "file" / "temp");
  ComparisonContext context{request, session, documents, progress, errors, {}};
  ComparisonOutcome outcome = DoItByFile(context);
  EXPECT_FALSE(outcome.documentsWritten);
  ASSERT_EQ(errors.texts.size(), 1u);
  EXPECT_NE(errors.texts[0].find("at line 186"), std::string::npos);
  EXPECT_FALSE(session.first);
}

TEST_F(WholeWorkbookTest, CancellingStopsTheComparisonWithoutWriting) {
  class CancellingProgress final : public ProgressSink {
   public:
    void setMaximum(long) override {}
    void setValue(long) override { throw ComparisonCancelled(); }
  } cancelling;
  session = test::makeSession({{"S", {{"A1", "1"}}}}, {{"S", {{"A1", "2"}}}});
  {
    HtmlResultWriter documents(folder.path());
    ComparisonContext context{request, session, documents, cancelling, errors, {}};
    EXPECT_THROW(DoItByFile(context), ComparisonCancelled);
  }
  EXPECT_TRUE(errors.texts.empty());
  // What was written so far goes with the writer.
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

}  // namespace
}  // namespace quill
