// The grid's marks for what the workbooks hold besides cell texts, on a made pair that
// differs only there: each kind at its place (a cell, a row's or column's header, the list
// under a sheet's heading, the whole workbooks' list after the tables), the list's rows
// linking to the marks, and both documents checked byte for byte (QUILLMERE_UPDATE_GOLDEN=1
// writes them anew).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "engine/choose_comparison.h"
#include "engine/comparison.h"
#include "formats/session.h"
#include "report/documents.h"
#include "report/html_result_writer.h"
#include "sheet/stored_workbook.h"
#include "support/collecting_error_box.h"
#include "support/document_links.h"
#include "support/temporary_folder.h"

namespace quill::test {
namespace {

namespace fs = std::filesystem;

// The same cell texts in both; the second file rewrites a note on B2 and adds one on C6,
// hides rows 4:5, shows column C, merges A5:B5, makes A3 bold, hides the sheet "Other", and
// changes the name "Rate" and the macro module "Module1".
std::unique_ptr<Workbook> madeBook(bool second) {
  auto book = std::make_unique<StoredWorkbook>();
  WorkbookContents& contents = book->contents();
  contents.read = ContentsToRead::all();
  StoredSheet& data = book->addSheet("Data");
  for (long row = 1; row <= 6; ++row)
    for (long column = 1; column <= 3; ++column)
      data.add(row, column, std::string(1, char('A' + column - 1)) + std::to_string(row));
  SheetContents& sheet = data.contents();
  sheet.notes.push_back({2, 2, "Ann", second ? "checked twice" : "checked"});
  if (second) sheet.notes.push_back({6, 3, "Bob", "new"});
  if (second) sheet.hiddenRows.push_back({4, 5});
  if (!second) sheet.hiddenColumns.push_back({3, 3});
  if (second) sheet.merged.push_back({5, 1, 5, 2});
  CellFormat plain, figures;
  plain.numberFormat = figures.numberFormat = "General";
  figures.bold = second;
  contents.formats = {plain, figures};
  sheet.formats.push_back({3, 1, 1});
  StoredSheet& other = book->addSheet("Other");
  other.add(1, 1, "x");
  other.contents().visibility = second ? SheetVisibility::Hidden : SheetVisibility::Visible;
  contents.names.push_back({"Rate", "", second ? "=Data!$A$2" : "=Data!$A$1"});
  contents.macros.push_back({"Module1", second ? "x = 2\n" : "x = 1\n"});
  book->finish();
  return book;
}

struct Written {
  std::string report;
  std::string grid;
  long differences = 0;
};

Written compareMadePair(bool contents, bool align) {
  TemporaryFolder out;
  ComparisonRequest request;
  request.path1 = "/data/one.xlsx";
  request.path2 = "/data/two.xlsx";
  if (contents) request.options.contents = ContentsToRead::all();
  request.options.align = align;
  SpreadsheetSession session;
  session.first = madeBook(false);
  session.second = madeBook(true);
  CollectingErrorBox errors;
  NoProgress progress;
  HtmlResultWriter documents(out.path());
  ComparisonContext context{request,  session, documents,
                            progress, errors,  [] { return std::string("2026-12-08 01:00:00"); }};
  const ComparisonOutcome outcome = runChosenComparison(context);
  EXPECT_TRUE(outcome.resultComplete) << testing::PrintToString(errors.texts);
  return {readFile(out.path() / kReportFileName), readFile(out.path() / kGridFileName),
          outcome.differences};
}

bool holds(const std::string& text, const std::string& piece) {
  return text.find(piece) != std::string::npos;
}

// Each kind's mark in the grid and the list's row linking to it, by position and by
// alignment alike.
TEST(ContentGrid, EachKindIsMarkedWhereTheGridHasAPlaceAndTheListLinksThere) {
  for (const bool align : {false, true}) {
    SCOPED_TRACE(align ? "aligned" : "by position");
    const Written written = compareMadePair(true, align);
    const std::string& grid = written.grid;
    EXPECT_EQ(linksThatDoNotLand(written.report, grid), std::vector<std::string>{});
    EXPECT_EQ(written.differences, 9);
    for (const char* marked : {
             "<td class='note' title='Different note'><a class='nullhref'",
             "name=\"Data!B2\">&nbsp;B2&nbsp;</a></td>",
             "<td class='format' title='Different format (bold)'>",
             "name=\"Data!A3\">&nbsp;A3&nbsp;</a></td>",
             "<td class='merged' title='Merged range added A5:B5'>",
             "<td class='hiddenline' title='Row hidden'><a class='nullhref'",
             "name=\"Data!4:5\">&nbsp;4&nbsp;</a></td>",
             "<td class='hiddenline' title='Row hidden'>&nbsp;5&nbsp;</td>",
             "<td class='note' title='Different note'>",
         })
      EXPECT_TRUE(holds(grid, marked)) << marked;
    // The rows and columns of a sheet and its visibility are listed under its heading; the
    // names and macro modules after the last table.
    EXPECT_TRUE(holds(grid, "<h3>Other</h3><table><tr><td align=left>Sheet hidden</td>"));
    const std::size_t whole = grid.find("<h3>Whole workbooks</h3>");
    ASSERT_NE(whole, std::string::npos);
    EXPECT_LT(grid.find("<h3>Other</h3>"), whole);
    EXPECT_TRUE(holds(grid.substr(whole), "Name changed</td><td>Rate</td>"));
    EXPECT_TRUE(holds(grid.substr(whole), "<pre>@@"));
    EXPECT_FALSE(holds(grid.substr(0, whole), "Module1"));
    EXPECT_TRUE(holds(written.report, "#Data!B2\" target=\"Visualized\""));
    EXPECT_TRUE(holds(written.report, "#Data!4:5\" target=\"Visualized\""));
  }
}

TEST(ContentGrid, AColumnsHeaderIsMarkedByPositionAndAligned) {
  for (const bool align : {false, true}) {
    const Written written = compareMadePair(true, align);
    EXPECT_TRUE(
        holds(written.grid, "<td class='shownline' title='Column shown'><a class='nullhref'"))
        << align;
    EXPECT_TRUE(holds(written.grid, "name=\"Data!C\">&nbsp;C&nbsp;</a></td>")) << align;
  }
}

TEST(ContentGrid, WithoutContentsTheGridHasNoMarksNorLegend) {
  const Written written = compareMadePair(false, false);
  EXPECT_EQ(written.differences, 0);
  for (const char* absent : {"td.note", "different note", "class='note'", "Whole workbooks"})
    EXPECT_FALSE(holds(written.grid, absent)) << absent;
}

// Both documents of the made pair, by position and aligned, byte for byte.
TEST(ContentGrid, DocumentsMatchTheirGoldenPair) {
  const bool update = std::getenv("QUILLMERE_UPDATE_GOLDEN") != nullptr;
  for (const bool align : {false, true}) {
    const Written written = compareMadePair(true, align);
    const fs::path expected =
        fs::path(QUILLMERE_TEST_DATA) / "golden" / (align ? "contents_aligned" : "contents_whole");
    for (const auto& [name, text] :
         {std::pair{kReportFileName, &written.report}, std::pair{kGridFileName, &written.grid}}) {
      if (update) {
        fs::create_directories(expected);
        std::ofstream(expected / name, std::ios::binary) << *text;
        continue;
      }
      ASSERT_TRUE(fs::exists(expected / name)) << expected / name;
      EXPECT_EQ(*text, readFile(expected / name)) << expected / name;
    }
  }
}

}  // namespace
}  // namespace quill::test
