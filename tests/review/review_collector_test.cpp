// What the review workbook is made of, gathered from a made-up result with every kind of
// line and difference: the marks land on File #2's cells with File #1's texts as notes, and
// the listing keeps what File #2 no longer holds.
#include "review/review_collector.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/scripted_result.h"

namespace quill {
namespace {

// A mark as "row,column kind: note".
std::vector<std::string> markLines(const SheetMarks& marks) {
  std::vector<std::string> lines;
  for (const CellMark& mark : marks.cells)
    lines.push_back(std::to_string(mark.row) + "," + std::to_string(mark.column) + " " +
                    markKindName(mark.kind) + ": " + mark.note);
  return lines;
}

class ReviewCollectorTest : public testing::Test {
 protected:
  void SetUp() override { test::playEveryKind(collector_); }

  const ReviewResult& result() const { return collector_.result(); }

  ReviewCollector collector_{true};
};

TEST_F(ReviewCollectorTest, MarksFileTwosCellsWithFileOnesTexts) {
  ASSERT_TRUE(result().marks.contains(1));
  EXPECT_EQ(
      markLines(result().marks.at(1)),
      (std::vector<std::string>{
          "1,1 different value: FILE1 Sheet1!A1: 12", "1,2 missing in FILE2: FILE1 Sheet1!B1: x",
          "1,3 missing in FILE1: FILE1 Sheet1!C1: (empty)",
          "2,1 different formula: FILE1 Sheet1!A2: 6\nFormula: =SUM(A1:A3)",
          "2,2 different value: FILE1 Sheet1!B2: tab\there",
          // The second area lies elsewhere in File #2: the note names File #1's cell.
          "12,6 different value: FILE1 Sheet1!E10: a"}));
  // A changed key is a key cell; the sheet only File #2 has names no cell of File #1.
  EXPECT_EQ(markLines(result().marks.at(2)),
            std::vector<std::string>{"3,1 key cell: FILE1 Keys!A3: k2"});
  EXPECT_EQ(markLines(result().marks.at(3)),
            std::vector<std::string>{"1,1 missing in FILE1: FILE1: (empty)"});
}

TEST_F(ReviewCollectorTest, AddedRowsAndColumnsAreFilledWhole) {
  const SheetMarks& aligned = result().marks.at(4);
  EXPECT_TRUE(aligned.cells.empty());
  EXPECT_EQ(aligned.rows, (std::vector<LineMark>{{2, MarkKind::RowAdded}}));
  EXPECT_EQ(aligned.columns, (std::vector<LineMark>{{2, MarkKind::ColumnAdded}}));
}

// Aligned rows and columns standing elsewhere in File #2 are filled whole in the moves'
// colour, at their File #2 places; a cell difference in a moved row keeps its own mark.
TEST(ReviewCollectorMoves, MovedRowsAndColumnsAreFilledWhole) {
  using enum DifferenceKind;
  ReviewCollector collector(true);
  collector.begin({"a.xlsx", "b.xlsx", "2024-05-06 07:08:09", ""});
  ColumnPair columns[] = {{1, 1}, {2, 3}, {3, 2}};
  columns[1].moved = true;
  TableStart start = test::table("S", "S", 1, 1, columns);
  start.anyMoved = true;
  collector.beginTable(start);
  const CellPair cells[] = {test::cell(1, 1, "a", "b", DifferentValue), test::cell(2, 3, "", ""),
                            test::cell(3, 2, "", "")};
  Line moved = test::line(LineKind::Compared, 2, 5, cells);
  moved.moved = true;
  collector.line(moved);
  collector.endTable();
  collector.finish();
  const SheetMarks& marks = collector.result().marks.at(1);
  EXPECT_EQ(marks.rows, (std::vector<LineMark>{{5, MarkKind::RowMoved}}));
  EXPECT_EQ(marks.columns, (std::vector<LineMark>{{3, MarkKind::ColumnMoved}}));
  EXPECT_EQ(markLines(marks), std::vector<std::string>{"5,1 different value: FILE1 S!A2: a"});
  EXPECT_EQ(markFill(MarkKind::RowMoved), 0xFFCC33u);
  EXPECT_EQ(markFill(MarkKind::ColumnMoved), 0xFFCC33u);
  EXPECT_STREQ(markKindName(MarkKind::RowMoved), "row moved");
}

TEST_F(ReviewCollectorTest, ListsWhatFileTwoNoLongerHoldsWithFileOnesContents) {
  std::vector<std::string> kinds;
  const ListedDifference* removedRow = nullptr;
  const ListedDifference* removedColumn = nullptr;
  for (const ListedDifference& entry : result().listing) {
    kinds.push_back(entry.kind);
    if (entry.kind == "row removed") removedRow = &entry;
    if (entry.kind == "column removed") removedColumn = &entry;
  }
  EXPECT_EQ(kinds, (std::vector<std::string>{
                       "different value", "missing in FILE2", "missing in FILE1",
                       "different formula", "different value", "different value", "different value",
                       "sheet only in FILE2", "missing in FILE1", "sheet renamed", "sheet moved",
                       "column added", "column removed", "row added", "row removed"}));
  ASSERT_NE(removedRow, nullptr);
  EXPECT_EQ(removedRow->text1, "A: out");
  EXPECT_EQ(removedRow->place1, "2");
  EXPECT_EQ(removedRow->sheetPosition2, 0);
  ASSERT_NE(removedColumn, nullptr);
  EXPECT_EQ(removedColumn->place1, "B");
  EXPECT_EQ(result().caption, "Comparing A1:C9\nOptions: ignore case");
  EXPECT_NE(result().summary.find("Total: "), std::string::npos);
}

}  // namespace
}  // namespace quill
