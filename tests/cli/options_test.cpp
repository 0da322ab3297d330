// The compare command's options: their spellings, the mistakes refused before anything is
// read or written, worksheets chosen by name, and messages that each end in a line feed.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "support/cli_runner.h"
#include "support/temporary_folder.h"

namespace quill::cli {
namespace {

namespace fs = std::filesystem;

const std::string kKeyed = std::string(QUILLMERE_TEST_DATA) + "/keyed/";

struct Outcome {
  int code;
  std::string out;
  std::string err;
};

Outcome runWith(std::vector<std::string> arguments) {
  std::ostringstream out, err;
  const int code = cli::run(arguments, out, err);
  return {code, out.str(), err.str()};
}

// Every message, help text included, is whole lines: it ends in one line feed.
void expectWholeLines(const std::string& text) {
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.back(), '\n') << text;
  EXPECT_EQ(text.find("\n\n", text.size() - 2), std::string::npos) << text;
}

TEST(CompareOptions, MistakesAreRefusedWithOneMessageAndNothingWritten) {
  struct Case {
    std::vector<std::string> options;
    std::string message;
  };
  const std::vector<Case> cases = {
      {{"--sheet1", "2", "--sheet1", "3"}, "--sheet1 is given more than once"},
      {{"--sheet1=2", "--sheet1", "2"}, "--sheet1 is given more than once"},
      {{"--sheet1", "2", "--identifying", "A"}, "--identifying is not used in range mode"},
      {{"--start", "2"}, "--start is not used in range mode"},
      {{"--sheet1", "2", "--mode", "rows", "--range2", "$A:$B"},
       "--range2 is not used in rows mode"},
      {{"--out="}, "--out does not take \"\"; expected a folder"},
      {{"--sheet1="}, "--sheet1 does not take \"\""},
      {{"--sheet1", "''"}, "--sheet1 does not take \"''\""},
      // A mistyped option's value may be a password: the message names the option alone.
      {{"--colour=red"}, "unknown option \"--colour\""},
      {{"--pasword1=secret"}, "unknown option \"--pasword1\""},
      {{"-x"}, "unknown option \"-x\""},
      {{"--tolerance", "-1"},
       "--tolerance does not take \"-1\"; expected a number of 0 or more, such as 0.001"},
      {{"--tolerance=nan"}, "--tolerance does not take \"nan\""},
      {{"--tolerance", "inf"}, "--tolerance does not take \"inf\""},
      {{"--relative-tolerance", "0.1x"}, "--relative-tolerance does not take \"0.1x\""},
      {{"--relative-tolerance="}, "--relative-tolerance does not take \"\""},
      {{"--tolerance"}, "--tolerance needs a value"},
      {{"--ignore-case", "--ignore-case"}, "--ignore-case is given more than once"},
      {{"--formulas=yes"}, "--formulas is a switch and takes no value"},
      {{"--match", "key"}, "--match is not used in range mode"},
      {{"--sheet1", "2", "--mode", "rows", "--match", "position"},
       "--match does not take \"position\"; expected key"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    test::TemporaryFolder folder;
    const fs::path out = folder.path() / "out";
    std::vector<std::string> arguments = {"compare", kKeyed + "keyed1.xlsx",
                                          kKeyed + "keyed2.xlsx"};
    if (c.options.front() != "--out=") arguments.insert(arguments.end(), {"--out", out.string()});
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    const Outcome result = runWith(arguments);
    EXPECT_EQ(result.code, 2);
    EXPECT_NE(result.err.find("quillmere-cli compare: " + c.message), std::string::npos)
        << result.err;
    expectWholeLines(result.err);
    EXPECT_FALSE(fs::exists(out));
  }
}

TEST(CompareOptions, EqualsFormsAndNamedSheetsRunAsTheirPlainForms) {
  // Worksheet 2 of both keyed workbooks is named "Stock".
  const std::vector<std::vector<std::string>> same = {
      {"--sheet1", "2", "--range1", "$B$2:$C$4"},
      {"--sheet1=2", "--range1=$B$2:$C$4"},
      {"--sheet1", "Stock", "--range1", "$B$2:$C$4"},
      {"--sheet2='Stock'", "--range1", "$B$2:$C$4", "--range2", "$B$2:$C$4"},
      {"--sheet1", "Stock", "--sheet2", "2", "--range1", "$B$2:$C$4", "--range2=$B$2:$C$4"},
  };
  for (const auto& options : same) {
    SCOPED_TRACE(options.front());
    test::TemporaryFolder folder;
    std::vector<std::string> arguments = {"compare", kKeyed + "keyed1.xlsx", kKeyed + "keyed2.xlsx",
                                          "--out", folder.path().string()};
    arguments.insert(arguments.end(), options.begin(), options.end());
    const Outcome result = runWith(arguments);
    EXPECT_EQ(result.code, 1) << result.err;
    EXPECT_EQ(result.out, "2 differences in 1 of 1 sheet\n");
    EXPECT_NE(test::readFile(folder.path() / "visualized.htm").find("<h3>Stock</h3>"),
              std::string::npos);
  }
}

TEST(CompareOptions, AlignRunsInTheRowsAndColumnsModesAndTheCaptionNamesIt) {
  const std::vector<std::vector<std::string>> modes = {
      {"--mode", "columns"},
      {"--mode", "rows"},
      {"--mode", "rows", "--identifying", "A", "--match", "key"},
  };
  for (const auto& mode : modes) {
    SCOPED_TRACE(mode.back());
    test::TemporaryFolder folder;
    std::vector<std::string> arguments = {"compare",
                                          kKeyed + "keyed1.xlsx",
                                          kKeyed + "keyed2.xlsx",
                                          "--out",
                                          folder.path().string(),
                                          "--sheet1",
                                          "2",
                                          "--align"};
    arguments.insert(arguments.end(), mode.begin(), mode.end());
    const Outcome result = runWith(arguments);
    EXPECT_EQ(result.code, 1) << result.err;
    EXPECT_NE(test::readFile(folder.path() / "visualized.htm").find("align inserted and deleted"),
              std::string::npos);
  }
}

TEST(CompareOptions, ANameNoWorksheetHasIsAnErrorEvenWhenItIsDigits) {
  for (const std::string sheet : {"Nowhere", "'2'"}) {
    test::TemporaryFolder folder;
    const Outcome result = runWith({"compare", kKeyed + "keyed1.xlsx", kKeyed + "keyed2.xlsx",
                                    "--out", folder.path().string(), "--sheet1", sheet});
    EXPECT_EQ(result.code, 2);
    const std::string name = sheet.front() == '\'' ? sheet.substr(1, sheet.size() - 2) : sheet;
    EXPECT_NE(result.err.find("has no worksheet named \"" + name + "\""), std::string::npos)
        << result.err;
    expectWholeLines(result.err);
    EXPECT_TRUE(fs::is_empty(folder.path()));
  }
}

TEST(CompareOptions, DoubleDashEndsTheOptions) {
  test::TemporaryFolder folder;
  const fs::path dashed = folder.path() / "-a.xlsx";
  fs::copy_file(kKeyed + "keyed1.xlsx", dashed);
  const fs::path started = fs::current_path();
  fs::current_path(folder.path());
  const Outcome result =
      runWith({"compare", "--out", "out", "--", "-a.xlsx", kKeyed + "keyed1.xlsx"});
  EXPECT_EQ(result.code, 0) << result.err;
  EXPECT_TRUE(fs::exists(folder.path() / "out" / "report.htm"));
  fs::current_path(started);
}

TEST(CompareOptions, HelpVersionAndUsageTextsEndInALineFeed) {
  const std::vector<std::vector<std::string>> asks = {
      {"--help"},           {"compare", "--help"}, {"cells", "--help"},
      {"sheets", "--help"}, {"--version"},         {},
      {"compare"},          {"nonsense"},          {"cells", "/nowhere.xlsx"}};
  for (const auto& arguments : asks) {
    const Outcome result = runWith(arguments);
    expectWholeLines(result.code == 0 ? result.out : result.err);
  }
  EXPECT_EQ(runWith({"--version"}).out.rfind("quillmere-cli ", 0), 0u);
}

TEST(CompareOptions, AnOutputFolderWhereADocumentWouldReplaceAnInputIsRefused) {
  test::TemporaryFolder folder;
  const fs::path out = folder.path() / "out";
  fs::create_directories(out);
  fs::copy_file(kKeyed + "keyed1.xlsx", out / "report.htm");
  const std::string before = test::readFile(out / "report.htm");
  const test::CliRun run = test::runCli("compare '" + (out / "report.htm").string() + "' '" +
                                        kKeyed + "keyed2.xlsx' --out '" + out.string() + "'");
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.output.find("it is the input file"), std::string::npos) << run.output;
  EXPECT_EQ(test::readFile(out / "report.htm"), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace quill::cli
