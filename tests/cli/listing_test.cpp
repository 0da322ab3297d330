#include <gtest/gtest.h>

#include <string>

#include "cli/listing_escapes.h"
#include "support/cli_runner.h"

namespace {

const std::string kXlsx = std::string(QUILLMERE_TEST_DATA) + "/xlsx/";

using quill::test::CliRun;
using quill::test::runCli;

TEST(ListingCommands, EscapesKeepEachCellOnOneLine) {
  EXPECT_EQ(quill::cli::escapeForListing("a\\b\tc\nd\re"), "a\\\\b\\tc\\nd\\re");
  EXPECT_EQ(quill::cli::escapeForListing("plain \xC3\xA9"), "plain \xC3\xA9");
}

TEST(ListingCommands, CellsOfAnXlsxWorkbook) {
  const CliRun run = runCli("cells '" + kXlsx + "texts.xlsx'", false);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output,
            "Sheet1!A1\tplain\n"
            "Sheet1!B1\trich runs\n"
            "Sheet1!C1\tline\\r\\nbreak\n"
            "Sheet1!D1\tkept_x000D_literal\n"
            "Sheet1!E1\t\\ttab and newline\\n\n"
            "Sheet1!F1\tspaces around\n"
            "Sheet1!H1\t\xF0\x9F\x98\x80 pair, \xC3\xA9 lower, _xZZZZ_ invalid\n"
            "Sheet1!J1\t<&> \xC3\xA9t\xC3\xA9\n"
            "Sheet1!A2\tinline wins\n"
            "Sheet1!B2\tinline runs\n"
            "Sheet1!C2\tcr\\r\n"
            "Sheet1!D2\tab\\n\n"
            "Sheet1!G2\tvalue only\n"
            "Sheet1!A3\tTrue\n"
            "Sheet1!B3\tFalse\n"
            "Sheet1!C3\tError 2007\n"
            "Sheet1!D3\tError 2042\n"
            "Sheet1!E3\tError #WHAT?\n"
            "Sheet1!F3\tError 2045\n"
            "Sheet1!G3\tnot a number\n");
}

TEST(ListingCommands, SheetsOfAnXlsxWorkbook) {
  const CliRun run = runCli("sheets '" + kXlsx + "package_paths.xlsx'", false);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output,
            "1\tFirst\t$A$1\n"
            "2\tSecond\t$B$2\n"
            "3\tThird\t$C$3\n"
            "4\tHidden\t$A$1\n");
}

TEST(ListingCommands, DamagedWorkbookFailsWithOneLine) {
  const std::string file = kXlsx + "missing_worksheet.xlsx";
  const CliRun run = runCli("cells '" + file + "'", true);
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.output, "quillmere-cli cells: \"" + file +
                            "\" cannot be read: the part \"xl/worksheets/sheet1.xml\" is "
                            "missing\n");
}

}  // namespace
