#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace {

const std::string kXlsx = std::string(QUILLMERE_TEST_DATA) + "/xlsx/";

// Output and exit code of the built quillmere-cli.
struct CliRun {
  std::string output;
  int exitCode = -1;
};

// Runs quillmere-cli with the arguments (already quoted for the shell); stderr is kept only
// when asked for.
CliRun runCli(const std::string& arguments, bool withErrors) {
  const std::string command = "'" + std::string(QUILLMERE_BIN) + "/quillmere-cli' " + arguments +
                              (withErrors ? " 2>&1" : " 2>/dev/null");
  CliRun run;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, got);
  const int status = ::pclose(pipe);
  if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
  return run;
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
