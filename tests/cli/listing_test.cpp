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

TEST(ListingCommands, CellsOfABinaryWorkbook) {
  const CliRun run =
      runCli("cells '" + std::string(QUILLMERE_TEST_DATA) + "/xlsb/kinds.xlsb'", false);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output,
            "Kinds!A1\t42\nKinds!B1\t1.25\nKinds!C1\tshared\nKinds!D1\tinline \xC3\xA9\n"
            "Kinds!E1\tTrue\nKinds!F1\tError 2007\n"
            "Kinds!A2\t2023-03-15\nKinds!B2\t2023-03-15 18:00:00\nKinds!C2\t3\n"
            "Kinds!D2\tjoined\nKinds!E2\tFalse\nKinds!F2\tError 2042\n"
            "Second!B3\tsecond text\n");
}

TEST(ListingCommands, CellsWithFormulas) {
  const std::string file = std::string(QUILLMERE_TEST_DATA) + "/cross/formulas.xlsx";
  const CliRun run = runCli("cells --formulas '" + file + "'", false);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_NE(run.output.find("Cached!A3\t5\t=2+3\nCached!A4\tab\t=\"a\"&\"b\"\n"), std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find("Cached!A6\t1900-01-01 12:00:00\n"), std::string::npos) << run.output;
  EXPECT_EQ(runCli("cells '" + file + "' --formulas", false).output, run.output);
  EXPECT_EQ(runCli("cells '" + file + "'", false).output.find("=2+3"), std::string::npos);
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
