#include "cli/contents_listing.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/text_dump.h"

namespace quill::cli {
namespace {

// A workbook of one sheet holding one of everything a listing shows.
std::unique_ptr<StoredWorkbook> fullBook() {
  auto book = std::make_unique<StoredWorkbook>();
  StoredSheet& sheet = book->addSheet("Data");
  sheet.add(1, 1, "x");
  SheetContents& contents = sheet.contents();
  contents.visibility = SheetVisibility::VeryHidden;
  contents.hiddenRows = {{4, 6}};
  contents.hiddenColumns = {{3, 4}};
  contents.merged = {{1, 1, 2, 3}};
  contents.notes = {{1, 1, "Ann", "line one\nline two"}};
  CellFormat bold;
  bold.numberFormat = "0.00";
  bold.bold = true;
  bold.fillColour = "theme 4";
  book->contents().formats = {CellFormat{}, bold};
  contents.formats = {{2, 2, 1}};
  book->contents().names = {{"Rate", "", "=Data!$A$1"}, {"Local", "Data", "=1"}};
  book->contents().macros = {{"Module1", "Sub A()\r\nEnd Sub\r\n"}};
  book->contents().macroProblem = "the module Sheet1 is damaged";
  book->finish();
  return book;
}

TEST(ContentsListing, EveryPartInItsStableOrder) {
  std::ostringstream out;
  writeContentsListing(*fullBook(), ContentsToRead::all(), out);
  EXPECT_EQ(out.str(),
            "name\tRate\t=Data!$A$1\n"
            "name\tData!Local\t=1\n"
            "sheet hidden\tData\tvery hidden\n"
            "rows hidden\tData!4:6\n"
            "columns hidden\tData!C:D\n"
            "merged\tData!A1:C2\n"
            "note\tData!A1\tAnn\tline one\\nline two\n"
            "format\tData!B2\tnumber format 0.00; bold; fill theme 4\n"
            "macro\tModule1\n"
            "\tSub A()\n"
            "\tEnd Sub\n"
            "macro project unreadable\tthe module Sheet1 is damaged\n");
}

TEST(ContentsListing, OnlyThePartsAskedFor) {
  std::ostringstream out;
  ContentsToRead parts;
  parts.merged = true;
  writeContentsListing(*fullBook(), parts, out);
  EXPECT_EQ(out.str(), "merged\tData!A1:C2\n");
}

TEST(ContentsListing, TextDumpAddsNotesNamesAndMacroSource) {
  std::ostringstream out;
  writeTextDump(*fullBook(), out);
  EXPECT_EQ(out.str(),
            "Sheet: Data\n"
            "\"x\"\n"
            "# note A1: \"Ann: line one\\nline two\"\n"
            "Names:\n"
            "  Rate =Data!$A$1\n"
            "  Data!Local =1\n"
            "Macro: Module1\n"
            "  Sub A()\n"
            "  End Sub\n"
            "Macro project unreadable: the module Sheet1 is damaged\n");
}

}  // namespace
}  // namespace quill::cli
