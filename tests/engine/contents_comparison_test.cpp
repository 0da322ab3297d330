#include <gtest/gtest.h>

#include "engine/sheet_contents_comparison.h"
#include "engine/workbook_contents_comparison.h"
#include "result_transcript.h"

namespace quill {
namespace {

using Items = std::vector<std::string>;

// Each item as "kind R1/C1 R2/C2 xCOUNT subject text1|text2 (detail)", leaving out what is
// empty.
Items told(const std::vector<ContentItem>& items) {
  Items texts;
  for (const ContentItem& item : items) texts.push_back(test::ResultTranscript::contentText(item));
  return texts;
}

CellFormat format(std::string numberFormat, bool bold = false, bool italic = false,
                  std::string fontColour = "") {
  CellFormat made;
  made.numberFormat = std::move(numberFormat);
  made.bold = bold;
  made.italic = italic;
  made.fontColour = std::move(fontColour);
  return made;
}

ContentsToRead only(bool ContentsToRead::*part) {
  ContentsToRead compared;
  compared.*part = true;
  return compared;
}

// Two sheets and their books, compared by position unless rows or columns are mapped.
struct SheetCase {
  SheetContents sheet1, sheet2;
  WorkbookContents book1, book2;
  LineMap rows, columns;

  Items compare(ContentsToRead compared = ContentsToRead::all()) const {
    return told(compareSheetContents({sheet1, sheet2, book1, book2, rows, columns}, compared));
  }
};

TEST(SheetContentsComparison, NotesDifferByTextOrAuthorAndOnEitherSide) {
  SheetCase c;
  c.sheet1.notes = {{1, 1, "Ann", "check"}, {2, 2, "", "same"}, {3, 1, "", "gone"}};
  c.sheet2.notes = {{1, 1, "Bob", "check"}, {2, 2, "", "same"}, {4, 4, "", "new"}};
  EXPECT_EQ(c.compare(), (Items{"different note 1/1 1/1 Ann: check|Bob: check",
                                "different note 3/1 3/1 gone|", "different note 4/4 4/4 |new"}));
}

TEST(SheetContentsComparison, HiddenRowsAndColumnsAreOneItemForEachRun) {
  SheetCase c;
  c.sheet1.hiddenRows = {{2, 2}};
  c.sheet2.hiddenRows = {{4, 6}, {8, 8}};
  c.sheet2.hiddenColumns = {{3, 3}};
  EXPECT_EQ(c.compare(), (Items{"row shown 2/0 2/0", "row hidden 4/0 4/0 x3", "row hidden 8/0 8/0",
                                "column hidden 0/3 0/3"}));
}

TEST(SheetContentsComparison, RowsHiddenToTheLastRowCostOneItem) {
  SheetCase c;
  c.sheet2.hiddenRows = {{10, kMaxRows}};
  EXPECT_EQ(c.compare(), (Items{"row hidden 10/0 10/0 x" + std::to_string(kMaxRows - 9)}));
}

TEST(SheetContentsComparison, SheetVisibilityMergedRangesAndFormats) {
  SheetCase c;
  c.sheet2.visibility = SheetVisibility::VeryHidden;
  c.sheet1.merged = {{1, 1, 1, 3}, {5, 1, 6, 1}};
  c.sheet2.merged = {{1, 1, 1, 3}, {7, 2, 7, 4}};
  c.book1.formats = {format("General"), format("0.00", true)};
  c.book2.formats = {format("General"), format("0.0", false, false, "FF0000"),
                     format("General", false, true)};
  c.sheet1.formats = {{2, 2, 1}, {3, 3, 1}};
  c.sheet2.formats = {{2, 2, 1}, {4, 4, 2}};
  EXPECT_EQ(c.compare(),
            (Items{"sheet hidden 0/0 0/0 visible|very hidden", "merged range removed 5/1 5/1 A5:A6",
                   "merged range added 7/2 7/2 B7:D7",
                   "different format 2/2 2/2 number format 0.00; bold; font colour "
                   "automatic|number format 0.0; not bold; font colour FF0000 (number format, "
                   "bold, font colour)",
                   "different format 3/3 3/3 number format 0.00; bold|number format General; not "
                   "bold (number format, bold)",
                   "different format 4/4 4/4 not italic|italic (italic)"}));
}

TEST(SheetContentsComparison, OnlyWhatIsAskedForIsCompared) {
  SheetCase c;
  c.sheet1.notes = {{1, 1, "", "a"}};
  c.sheet2.hiddenRows = {{3, 3}};
  EXPECT_EQ(c.compare(only(&ContentsToRead::hidden)), (Items{"row hidden 3/0 3/0"}));
  EXPECT_TRUE(c.compare(only(&ContentsToRead::merged)).empty());
}

TEST(SheetContentsComparison, AlignedRowsAndColumnsPairWhatMovedAndSkipInsertedLines) {
  SheetCase c;
  // File 2 has a row inserted at 2 and a column inserted at A.
  c.rows = LineMap({{1, 1}, {0, 2}, {2, 3}, {3, 4}}, 3, 4);
  c.columns = LineMap({{0, 1}, {1, 2}, {2, 3}}, 2, 3);
  c.sheet1.notes = {{2, 1, "", "kept"}, {3, 2, "", "old"}};
  c.sheet2.notes = {{3, 2, "", "kept"}, {4, 3, "", "new"}, {2, 2, "", "in the new row"}};
  c.sheet1.hiddenRows = {{2, 2}, {9, 9}};
  c.sheet2.hiddenRows = {{3, 3}, {10, 10}};
  c.sheet1.merged = {{1, 1, 2, 2}};
  c.sheet2.merged = {{1, 2, 3, 3}};
  EXPECT_EQ(c.compare(), (Items{"different note 3/2 4/3 old|new"}));
}

TEST(WorkbookContentsComparison, NamesByScopeAndName) {
  WorkbookContents book1, book2;
  book1.names = {{"Rate", "", "=Data!$A$1"}, {"Old", "", "=1"}, {"Rate", "Prices", "=2"}};
  book2.names = {{"Rate", "", "=Data!$A$2"}, {"New", "", "=3"}, {"Rate", "Prices", "=2"}};
  EXPECT_EQ(told(compareWorkbookContents(book1, book2, only(&ContentsToRead::names))),
            (Items{"name added 0/0 0/0 New |=3", "name removed 0/0 0/0 Old =1|",
                   "name changed 0/0 0/0 Rate =Data!$A$1|=Data!$A$2"}));
}

TEST(WorkbookContentsComparison, MacroModulesWithTheirChangedLinesAndUnreadableProjects) {
  WorkbookContents book1, book2;
  book1.macros = {{"Module1", "Sub A()\r\nx = 1\r\nEnd Sub\r\n"}, {"Gone", "' note"}};
  book2.macros = {{"Module1", "Sub A()\r\nx = 2\r\nEnd Sub\r\n"}};
  book2.macroProblem = "the module stream Sheet1 is damaged";
  EXPECT_EQ(
      told(compareWorkbookContents(book1, book2, only(&ContentsToRead::macros))),
      (Items{"macro module removed 0/0 0/0 Gone (@@ -1,1 +0,0 @@\n-' note)",
             "macro module changed 0/0 0/0 Module1 (@@ -1,3 +1,3 @@\n Sub A()\n-x = "
             "1\n+x = 2\n End Sub)",
             "macro project unreadable 0/0 0/0 FILE2 (the module stream Sheet1 is damaged)"}));
  Counted counted;
  EXPECT_FALSE(countedAs(ItemKind::MacroProblem, counted));
  ASSERT_TRUE(countedAs(ItemKind::MacroChanged, counted));
  EXPECT_EQ(counted, Counted::MacroChanges);
}

}  // namespace
}  // namespace quill
