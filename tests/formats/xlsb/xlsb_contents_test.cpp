// What the .xlsb reader reads besides cells' values: hidden sheets, rows and columns,
// merged ranges, defined names, notes and formats, on the corpus's binary workbooks,
// checked against openpyxl's view of their twins saved as .xlsx.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "formats/contents_listing.h"
#include "formats/xlsb/xlsb_reader.h"
#include "support/cli_runner.h"
#include "support/corpus.h"

namespace quill::test {
namespace {

namespace fs = std::filesystem;

const fs::path kOracle = fs::path(QUILLMERE_TEST_DATA) / "xlsx_twin_contents_oracle.py";

ReadOptions allContents() {
  ReadOptions options;
  options.contents = ContentsToRead::all();
  options.contents.macros = false;
  return options;
}

std::unique_ptr<StoredWorkbook> readCorpusFile(const std::string& name,
                                               const ReadOptions& options = allContents()) {
  return readXlsbWorkbook((kCorpus / "calamine" / name).string(), options);
}

// Our listing without notes and tints, which the twin's listing leaves out.
std::string comparableListing(const StoredWorkbook& workbook) {
  std::string listing = contentsListing(workbook);
  listing = std::regex_replace(listing, std::regex("note [^\n]*\n"), "");
  return std::regex_replace(listing, std::regex(" tint [-0-9.e]+"), "");
}

TEST(XlsbContents, EveryKindOfOurFixture) {
  auto workbook = readXlsbWorkbook(
      (fs::path(QUILLMERE_TEST_DATA) / "xlsb" / "contents.xlsb").string(), allContents());
  EXPECT_EQ(contentsListing(*workbook),
            "sheet Data visible\n"
            "note Data!A1 Ada|Check the title\n"
            "note Data!C4 Grace|Second line\\nof a note\n"
            "rows Data 3-4\n"
            "columns Data 2-3\n"
            "merged Data A1:C1\n"
            "merged Data E5:F7\n"
            "format Data!B1 General|1|0|0|theme 1|\n"
            "format Data!C1 General|0|1|1|theme 1|\n"
            "format Data!D1 General|0|0|0|FF0000|\n"
            "format Data!E1 General|0|0|0|theme 1|FFFF00\n"
            "format Data!F1 0.000|0|0|0|theme 4 tint -0.250007629627369|00FF00\n"
            "format Data!G1 #,##0.00|0|0|0|theme 1|\n"
            "format Data!D10 General|1|0|0|theme 1|\n"
            "sheet Hidden hidden\n"
            "name |Table|=Data!$A$1:$F$12\n"
            "name Data|Print_Area|=Data!$A$1:$C$4\n");
  EXPECT_EQ(workbook->contents().formats.size(), 7u);  // each format once
}

TEST(XlsbContents, ACustomPaletteGivesTheIndexedColours) {
  // The same formats as above, with a palette of greys: the fill of indexed colour 13 is
  // the palette's grey 13 where the standard palette has yellow.
  auto workbook = readXlsbWorkbook(
      (fs::path(QUILLMERE_TEST_DATA) / "xlsb" / "palette.xlsb").string(), allContents());
  EXPECT_EQ(contentsListing(*workbook),
            "sheet Data visible\n"
            "format Data!B1 General|1|0|0|theme 1|\n"
            "format Data!C1 General|0|1|1|theme 1|\n"
            "format Data!D1 General|0|0|0|FF0000|\n"
            "format Data!E1 General|0|0|0|theme 1|0D0D0D\n"
            "format Data!F1 0.000|0|0|0|theme 4 tint -0.250007629627369|00FF00\n"
            "format Data!G1 #,##0.00|0|0|0|theme 1|\n");
}

TEST(XlsbContentsCorpus, BinaryWorkbooksAgreeWithOpenpyxlOnTheirXlsxTwins) {
  SKIP_WITHOUT_CORPUS();
  if (runCommandLine("/usr/bin/python3 -c 'import openpyxl' 2>/dev/null").exitCode != 0)
    GTEST_SKIP() << "python3-openpyxl is missing";
  for (const char* stem : {"any_sheets", "date", "date_1904", "issue127", "picture"}) {
    SCOPED_TRACE(stem);
    const auto twin = runCommandLine("/usr/bin/python3 '" + kOracle.string() + "' '" +
                                     (kCorpus / "calamine" / stem).string() + ".xlsx'");
    ASSERT_EQ(twin.exitCode, 0);
    EXPECT_EQ(comparableListing(*readCorpusFile(std::string(stem) + ".xlsb")), twin.output);
  }
}

TEST(XlsbContentsCorpus, HiddenAndVeryHiddenSheets) {
  SKIP_WITHOUT_CORPUS();
  auto workbook = readCorpusFile("any_sheets.xlsb");
  ASSERT_EQ(workbook->sheetCount(), 3u);
  EXPECT_EQ(workbook->storedSheet(1).contents().visibility, SheetVisibility::Visible);
  EXPECT_EQ(workbook->storedSheet(2).contents().visibility, SheetVisibility::Hidden);
  EXPECT_EQ(workbook->storedSheet(3).contents().visibility, SheetVisibility::VeryHidden);
}

TEST(XlsbContentsCorpus, DefinedNamesWithTheirFormulas) {
  SKIP_WITHOUT_CORPUS();
  auto workbook = readCorpusFile("issues.xlsb");
  const auto& names = workbook->contents().names;
  ASSERT_EQ(names.size(), 3u);
  EXPECT_EQ(names[1].name, "MyDataTypes");
  EXPECT_EQ(names[1].formula, "=datatypes!$A$1:$A$6");
  EXPECT_EQ(names[2].formula, "=Sheet1!$A$1");
  EXPECT_EQ(names[2].scopeSheet, "");
}

TEST(XlsbContentsCorpus, APlainReadReadsNothingBesidesTheCells) {
  SKIP_WITHOUT_CORPUS();
  auto workbook = readCorpusFile("any_sheets.xlsb", ReadOptions{});
  EXPECT_FALSE(workbook->contents().read.any());
  EXPECT_EQ(workbook->storedSheet(2).contents().visibility, SheetVisibility::Visible);
  EXPECT_TRUE(workbook->contents().formats.empty());
}

TEST(XlsbContentsCorpus, AWorksheetWithoutRelationshipsHasNoNotes) {
  SKIP_WITHOUT_CORPUS();
  ReadOptions options;
  options.contents.notes = true;
  auto workbook = readCorpusFile("issue_666_lost_sheets.xlsb", options);
  ASSERT_GE(workbook->sheetCount(), 1u);
  EXPECT_TRUE(workbook->storedSheet(1).contents().notes.empty());
  EXPECT_EQ(
      workbook->storedSheet(1).cellCount(),
      readCorpusFile("issue_666_lost_sheets.xlsb", ReadOptions{})->storedSheet(1).cellCount());
}

}  // namespace
}  // namespace quill::test
