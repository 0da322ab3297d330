#include "engine/whole_workbook.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "formats/session.h"
#include "result_transcript.h"
#include "support/collecting_error_box.h"
#include "support/memory_workbook.h"
#include "support/recording_progress.h"

namespace quill {
namespace {

using test::RecordingProgress;
using test::ResultTranscript;
using test::TestSheet;
using Entries = std::vector<std::string>;

// Runs the whole-workbook comparison of two in-memory workbooks and keeps its plain result.
class WholeWorkbookTest : public ::testing::Test {
 protected:
  ComparisonOutcome compare(const std::vector<TestSheet>& first,
                            const std::vector<TestSheet>& second) {
    session = test::makeSession(first, second);
    result = ResultTranscript();
    return compareInto(result);
  }
  ComparisonOutcome compareInto(ResultSink& sink) {
    ComparisonContext context{request,  session, sink,
                              progress, errors,  [] { return std::string("2026-12-07 10:00:00"); }};
    return compareWholeWorkbooks(context);
  }
  Entries listed() const { return result.starting("difference "); }

  ComparisonRequest request = [] {
    ComparisonRequest r;
    r.path1 = "one.xlsx";
    r.path2 = "two.xlsx";
    return r;
  }();
  SpreadsheetSession session;
  RecordingProgress progress;
  test::CollectingErrorBox errors;
  ResultTranscript result;
};

TEST_F(WholeWorkbookTest, EqualWorkbooksListNothingAndShowEveryCell) {
  const std::vector<TestSheet> book{{"Data", {{"A1", "x"}, {"B2", "7"}}}};
  ComparisonOutcome outcome = compare(book, book);
  EXPECT_EQ(outcome.differences, 0);
  EXPECT_TRUE(outcome.resultComplete);
  EXPECT_EQ(result.entries,
            (Entries{"caption ", "table Data|Data positions 1/1", "columns A B", "compared 1/1",
                     "texts 1/1 x|x |", "compared 2/2", "texts 2/2 | 7|7"}));
  EXPECT_TRUE(result.finished);
  EXPECT_TRUE(errors.texts.empty());
  EXPECT_FALSE(session.first);
  EXPECT_FALSE(session.second);
}

TEST_F(WholeWorkbookTest, EachKindOfDifferenceIsToldInReadingOrder) {
  ComparisonOutcome outcome = compare({{"S1", {{"A1", "same"}, {"B1", "old"}, {"A2", "only1"}}}},
                                      {{"S2", {{"A1", "same"}, {"B1", "new"}, {"B2", "only2"}}}});
  EXPECT_EQ(outcome.differences, 3);
  EXPECT_EQ(result.starting("table "), Entries{"table S1|S2 positions 1/1"});
  EXPECT_EQ(listed(), (Entries{"difference B1/B1 different value old|new",
                               "difference A2/A2 missing in FILE2 only1|",
                               "difference B2/B2 missing in FILE1 |only2"}));
}

TEST_F(WholeWorkbookTest, CellTextRulesDecideEquality) {
  compare({{"S", {{"A1", " padded "}, {"B1", "Case"}, {"C1", "1"}}}},
          {{"S", {{"A1", "padded"}, {"B1", "case"}, {"C1", "1"}}}});
  EXPECT_EQ(listed(), Entries{"difference B1/B1 different value Case|case"});
}

TEST_F(WholeWorkbookTest, TheAreaRunsFromA1ToTheLastUsedCellOfEitherSheet) {
  // The first sheet's used area starts at C3; the second's reaches further down and right.
  ComparisonOutcome outcome = compare({{"S", {{"C3", "a"}, {"D4", "b"}}}},
                                      {{"S", {{"C3", "a"}, {"D4", "b"}, {"E6", "c"}}}});
  EXPECT_EQ(outcome.differences, 1);
  EXPECT_EQ(listed(), Entries{"difference E6/E6 missing in FILE1 |c"});
  EXPECT_EQ(result.starting("columns "), Entries{"columns A B C D E"});
  EXPECT_EQ(result.starting("compared ").size(), 6u);
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
  EXPECT_EQ(listed(), Entries{"difference B1/B1 missing in FILE1 |y"});
  EXPECT_EQ(result.starting("table "),
            (Entries{"table Main|Main positions 1/1", "table |Extra positions 0/2 added"}));

  compare({{"Main", {{"A1", "x"}}}, {"Gone", {{"A2", "z"}}}}, {{"Main", {{"A1", "x"}}}});
  EXPECT_EQ(listed(), Entries{"difference A2/A2 missing in FILE2 z|"});
  EXPECT_EQ(result.starting("table ").back(), "table Gone| positions 2/0 removed");
  EXPECT_TRUE(errors.texts.empty());
}

TEST_F(WholeWorkbookTest, EmptySheetsGiveOneEmptyCell) {
  ComparisonOutcome outcome = compare({{"E", {}}}, {{"E", {}}});
  EXPECT_EQ(outcome.differences, 0);
  EXPECT_EQ(result.starting("columns "), Entries{"columns A"});
  EXPECT_EQ(result.starting("texts "), Entries{"texts 1/1 |"});
}

TEST_F(WholeWorkbookTest, AWorkbookThatDidNotOpenIsReportedOnceAndNothingIsTold) {
  session = test::makeSession({{"S", {}}}, {{"S", {}}});
  session.second.reset();
  ComparisonOutcome outcome = compareInto(result);
  EXPECT_FALSE(outcome.resultComplete);
  ASSERT_EQ(errors.texts.size(), 1u);
  EXPECT_NE(errors.texts[0].find("in Pellinor2021/08/31.Excel1.DoItByFile at line 100"),
            std::string::npos);
  EXPECT_TRUE(result.entries.empty());
  EXPECT_FALSE(result.finished);
  EXPECT_FALSE(session.first);
}

TEST_F(WholeWorkbookTest, AResultThatCannotBeCompletedIsReportedAndTheSessionStillCloses) {
  // Takes the result and fails to complete it, as documents that cannot be written do.
  class FailingToFinish final : public ResultSink {
   public:
    void begin(const ResultHeading&) override {}
    void beginTable(const TableStart&) override {}
    void line(const Line&) override {}
    void contents(std::span<const ContentItem>) override {}
    void endTable() override {}
    void finish() override { throw std::runtime_error("cannot complete"); }
  } failing;
  session = test::makeSession({{"S", {{"A1", "1"}}}}, {{"S", {{"A1", "2"}}}});
  ComparisonOutcome outcome = compareInto(failing);
  EXPECT_FALSE(outcome.resultComplete);
  EXPECT_EQ(outcome.differences, 1);
  ASSERT_EQ(errors.texts.size(), 1u);
  EXPECT_NE(errors.texts[0].find("at line 186"), std::string::npos);
  EXPECT_FALSE(session.first);
}

TEST_F(WholeWorkbookTest, CancellingStopsTheComparisonBeforeTheResultIsComplete) {
  class CancellingProgress final : public ProgressSink {
   public:
    void setMaximum(long) override {}
    void setValue(long) override { throw ComparisonCancelled(); }
  } cancelling;
  session = test::makeSession({{"S", {{"A1", "1"}}}}, {{"S", {{"A1", "2"}}}});
  ComparisonContext context{request, session, result, cancelling, errors, {}};
  EXPECT_THROW(compareWholeWorkbooks(context), ComparisonCancelled);
  EXPECT_TRUE(errors.texts.empty());
  EXPECT_FALSE(result.finished);
}

}  // namespace
}  // namespace quill
