// What the command line says about a mistake: in its own words, naming the option to use,
// never the window's labels.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/cli_runner.h"
#include "support/temporary_folder.h"

namespace {

namespace fs = std::filesystem;

using quill::test::CliRun;
using quill::test::runCli;
using quill::test::TemporaryFolder;

const std::string kSample1 = std::string(QUILLMERE_SAMPLES) + "/sample1.xls";
const std::string kSample2 = std::string(QUILLMERE_SAMPLES) + "/sample2.xls";
const std::string kPair = "'" + kSample1 + "' '" + kSample2 + "' ";

TEST(Messages, MistakesInAFileComparisonAreOneLineNamingWhatToDo) {
  TemporaryFolder folder;
  const std::string dir = folder.path().string();
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"compare '" + dir + "' '" + kSample1 + "'", "\"" + dir + "\" is a folder and \"" + kSample1 +
                                                       "\" is not; compare two files or two "
                                                       "folders"},
      {"compare " + kPair + "--ignore-case=yes", "--ignore-case is a switch and takes no value"},
      {"compare '" + dir + "' '" + dir + "' --align=no", "--align is a switch and takes no value"},
      {"compare " + kPair + "--jobs 2", "--jobs is for comparing two folders, and a file is given"},
      {"compare " + kPair + "--mode rows",
       "--mode rows compares one worksheet of each file; add --sheet1 SHEET (and --sheet2 SHEET "
       "where FILE2's is another)"},
      {"compare " + kPair + "--sheet1 7 --format text",
       "\"" + kSample1 + "\" has no worksheet at position 7; it has 2"},
  };
  for (const auto& [arguments, message] : cases) {
    const CliRun run = runCli(arguments);
    EXPECT_EQ(run.exitCode, 2) << arguments;
    EXPECT_EQ(run.output, "quillmere-cli compare: " + message + "\n") << arguments;
    EXPECT_EQ(run.output.find("Excel File"), std::string::npos) << run.output;
  }
}

TEST(Messages, AWorksheetNamedAsDigitsIsHintedAndQuotedNamesAreTakenAsTheTextWritesThem) {
  TemporaryFolder folder;
  // A CSV's one sheet is named after its file.
  const fs::path year = folder.path() / "2019.csv", quote = folder.path() / "x'y.csv";
  for (const fs::path& path : {year, quote}) std::ofstream(path) << "a,b\n";
  const CliRun position =
      runCli("compare '" + year.string() + "' '" + year.string() + "' --sheet1 2019 --format text");
  EXPECT_EQ(position.exitCode, 2);
  EXPECT_EQ(position.output,
            "quillmere-cli compare: \"" + year.string() +
                "\" has no worksheet at position 2019; it has 1. The worksheet named \"2019\" is "
                "chosen with --sheet1 \"'2019'\"\n");
  const CliRun named = runCli("compare '" + year.string() + "' '" + year.string() +
                              "' --sheet1 \"'2019'\" --format text");
  EXPECT_EQ(named.exitCode, 0) << named.output;
  const CliRun doubled = runCli("compare \"" + quote.string() + "\" \"" + quote.string() +
                                "\" --sheet1 \"'x''y'\" --format text");
  EXPECT_EQ(doubled.exitCode, 0) << doubled.output;
}

TEST(Messages, AnEmptyCsvIsAWorkbookWithOneEmptySheet) {
  TemporaryFolder folder;
  const fs::path empty = folder.path() / "empty.csv";
  std::ofstream{empty};
  const CliRun sheets = runCli("sheets '" + empty.string() + "'");
  EXPECT_EQ(sheets.exitCode, 0) << sheets.output;
  EXPECT_TRUE(sheets.output.starts_with("1\tempty\t")) << sheets.output;
}

}  // namespace
