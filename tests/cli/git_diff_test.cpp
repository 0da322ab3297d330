// quillmere-cli git-diff and textconv as git runs them: a repository in a temporary folder
// with a workbook committed twice, shown by git diff and git log -p with each driver.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/cli_runner.h"
#include "support/temporary_folder.h"

namespace {

using quill::test::CliRun;
using quill::test::runCli;
using quill::test::runCommandLine;
using quill::test::TemporaryFolder;

// Writes book.xlsx: "first", or "changed" with one price changed and a note sheet added.
constexpr const char* kWriteBook = R"(import sys, openpyxl
book = openpyxl.Workbook()
prices = book.active
prices.title = "Prices"
for row in [["Fruit", "Price"], ["Apple", 1], ["Kiwi", 7 if sys.argv[1] == "first" else 9]]:
    prices.append(row)
if sys.argv[1] == "changed":
    book.create_sheet("Notes")["A1"] = "ripe"
book.save("book.xlsx")
)";

// A repository whose .xlsx files git shows through quillmere-cli: the driver "quillmere"
// runs git-diff as its command and textconv for git log -p; git reads no configuration of
// the user or the system.
class WorkbookRepository {
 public:
  WorkbookRepository() {
    std::ofstream(folder_.path() / "write_book.py") << kWriteBook;
    std::ofstream(folder_.path() / ".gitattributes") << "*.xlsx diff=quillmere\n";
    EXPECT_EQ(git("init -q").exitCode, 0);
    EXPECT_EQ(git("config diff.quillmere.command \"'" QUILLMERE_CLI "' git-diff\"").exitCode, 0);
    EXPECT_EQ(git("config diff.quillmere.textconv \"'" QUILLMERE_CLI "' textconv\"").exitCode, 0);
  }

  CliRun git(const std::string& arguments) const {
    const std::string folder = folder_.path().string();
    return runCommandLine("cd '" + folder + "' && export HOME='" + folder +
                          "' GIT_CONFIG_NOSYSTEM=1 GIT_CONFIG_GLOBAL=/dev/null "
                          "GIT_AUTHOR_NAME=Tester GIT_AUTHOR_EMAIL=tester@example.org "
                          "GIT_COMMITTER_NAME=Tester GIT_COMMITTER_EMAIL=tester@example.org && "
                          "git --no-pager " +
                          arguments + " 2>&1");
  }
  void writeBook(const std::string& version) const {
    const CliRun run = runCommandLine("cd '" + folder_.path().string() +
                                      "' && /usr/bin/python3 write_book.py " + version + " 2>&1");
    ASSERT_EQ(run.exitCode, 0) << run.output;
  }
  void writeJunk() const { std::ofstream(folder_.path() / "book.xlsx") << "not a workbook"; }
  void commit(const std::string& message) const {
    ASSERT_EQ(git("add book.xlsx .gitattributes").exitCode, 0);
    const CliRun run = git("commit -q -m " + message);
    ASSERT_EQ(run.exitCode, 0) << run.output;
  }

 private:
  TemporaryFolder folder_;
};

// The lines of an output that start with one of the prefixes.
std::vector<std::string> linesStarting(const std::string& output,
                                       const std::vector<std::string>& prefixes) {
  std::vector<std::string> lines;
  std::istringstream in(output);
  for (std::string line; std::getline(in, line);)
    for (const std::string& prefix : prefixes)
      if (line.starts_with(prefix)) {
        lines.push_back(line);
        break;
      }
  return lines;
}

bool gitMissing() {
  return runCommandLine("git --version 2>&1").exitCode != 0;
}

TEST(GitDiffInGit, EachDriverShowsTheChangedWorkbook) {
  if (gitMissing()) GTEST_SKIP() << "git is not installed: the git drivers are not tested";
  if (runCommandLine("/usr/bin/python3 -c 'import openpyxl' 2>&1").exitCode != 0)
    GTEST_SKIP() << "/usr/bin/python3 with openpyxl is needed to write the workbook";
  const WorkbookRepository repository;
  repository.writeBook("first");
  repository.commit("first");
  repository.writeBook("changed");

  // git diff runs the command: the path, both versions, a line for each difference.
  const CliRun diff = repository.git("diff book.xlsx");
  ASSERT_EQ(diff.exitCode, 0) << diff.output;
  const std::vector<std::string> kDiffLines = {"Workbook", "FILE", "Prices", "Notes", "Total"};
  const std::vector<std::string> shown = linesStarting(diff.output, kDiffLines);
  ASSERT_EQ(shown.size(), 9u) << diff.output;
  EXPECT_EQ(shown[0], "Workbook book.xlsx");
  EXPECT_TRUE(shown[1].starts_with("FILE1: a/book.xlsx ")) << shown[1];
  EXPECT_EQ(shown[2], "FILE2: b/book.xlsx");
  EXPECT_EQ(std::vector<std::string>(shown.begin() + 3, shown.end()),
            (std::vector<std::string>{
                "Prices!B3: 7 -> 9", "Notes: sheet only in FILE2",
                "Notes!A1: missing in FILE1 (now \"ripe\")",
                "Prices: 6 cells compared, 1 difference (1 different value)",
                "Notes: 1 cell compared, 1 difference (1 missing in FILE1); sheet only in FILE2",
                "Total: 7 cells compared in 2 sheet pairs, 2 differences in 2 of them (1 "
                "different value, 1 missing in FILE1); 1 sheet only in FILE2"}))
      << diff.output;
  repository.commit("changed");

  // git log -p shows the textconv lines; with --ext-diff the command's, the added workbook
  // compared with none.
  const CliRun log = repository.git("log -p book.xlsx");
  ASSERT_EQ(log.exitCode, 0) << log.output;
  EXPECT_EQ(linesStarting(log.output, {"-\"", "+\"", "+Sheet"}),
            (std::vector<std::string>{"-\"Kiwi\",\"7\"", "+\"Kiwi\",\"9\"", "+Sheet: Notes",
                                      "+\"ripe\"", "+Sheet: Prices", "+\"Fruit\",\"Price\"",
                                      "+\"Apple\",\"1\"", "+\"Kiwi\",\"7\""}))
      << log.output;
  const CliRun external = repository.git("log -p --ext-diff book.xlsx");
  ASSERT_EQ(external.exitCode, 0) << external.output;
  const std::vector<std::string> both =
      linesStarting(external.output, {"Workbook", "FILE1", "Total"});
  ASSERT_EQ(both.size(), 6u) << external.output;
  EXPECT_EQ(both[3], "Workbook book.xlsx");
  EXPECT_EQ(both[4], "FILE1: /dev/null");
  EXPECT_EQ(both[5],
            "Total: 6 cells compared in 1 sheet pair, 6 differences in 1 of them (6 missing in "
            "FILE1); 1 sheet only in FILE2");
}

TEST(GitDiffInGit, AnUnreadableVersionIsOneLineAndGitGoesOn) {
  if (gitMissing()) GTEST_SKIP() << "git is not installed: the git drivers are not tested";
  if (runCommandLine("/usr/bin/python3 -c 'import openpyxl' 2>&1").exitCode != 0)
    GTEST_SKIP() << "/usr/bin/python3 with openpyxl is needed to write the workbook";
  const WorkbookRepository repository;
  repository.writeBook("first");
  repository.commit("first");
  repository.writeJunk();
  const CliRun diff = repository.git("diff book.xlsx");
  EXPECT_EQ(diff.exitCode, 0) << diff.output;
  const std::vector<std::string> lines =
      linesStarting(diff.output, {"Workbook", "quillmere-cli", "FILE", "Total"});
  ASSERT_EQ(lines.size(), 2u) << diff.output;
  EXPECT_EQ(lines[0], "Workbook book.xlsx");
  // The version is named by its path in the repository, never by a temporary file's.
  EXPECT_TRUE(lines[1].starts_with("quillmere-cli git-diff: \"b/book.xlsx\"")) << lines[1];
  EXPECT_TRUE(
      lines[1].ends_with("is not a workbook: its content is no spreadsheet format that "
                         "can be read"))
      << lines[1];
}

TEST(GitDiffInGit, LogAndShowGoOnPastAnUnreadableVersion) {
  if (gitMissing()) GTEST_SKIP() << "git is not installed: the git drivers are not tested";
  if (runCommandLine("/usr/bin/python3 -c 'import openpyxl' 2>&1").exitCode != 0)
    GTEST_SKIP() << "/usr/bin/python3 with openpyxl is needed to write the workbook";
  const WorkbookRepository repository;
  repository.writeBook("first");
  repository.commit("first");
  repository.writeJunk();
  repository.commit("junk");
  repository.writeBook("changed");
  repository.commit("changed");

  const CliRun log = repository.git("log -p book.xlsx");
  EXPECT_EQ(log.exitCode, 0) << log.output;
  EXPECT_NE(log.output.find("+This version cannot be read as a workbook: "), std::string::npos)
      << log.output;
  EXPECT_NE(log.output.find("-This version cannot be read as a workbook: "), std::string::npos)
      << log.output;
  // The first version, older than the unreadable one, is still shown.
  EXPECT_NE(log.output.find("+\"Kiwi\",\"7\""), std::string::npos) << log.output;
  const CliRun show = repository.git("show HEAD~1");
  EXPECT_EQ(show.exitCode, 0) << show.output;
  EXPECT_NE(show.output.find("+This version cannot be read"), std::string::npos) << show.output;
  const CliRun external = repository.git("show --ext-diff HEAD~1");
  EXPECT_EQ(external.exitCode, 0) << external.output;
  EXPECT_NE(external.output.find("quillmere-cli git-diff: \"b/book.xlsx\""), std::string::npos)
      << external.output;
  EXPECT_EQ(external.output.find("/tmp/"), std::string::npos) << external.output;
}

// Writes one.xlsx and two.xlsx: the second has a row inserted after the first and one
// text in other letter case.
constexpr const char* kWriteInsertedRow = R"(import openpyxl
for name in ("one", "two"):
    book = openpyxl.Workbook()
    rows = [["Item", "Count"], ["bolt", 1], ["nut", 2], ["pin", 3]]
    if name == "two":
        rows.insert(1, ["washer", 5])
        rows[2][0] = "BOLT"
    for row in rows:
        book.active.append(row)
    book.save(name + ".xlsx")
)";

TEST(GitDiffCommand, TakesTheComparisonOptionsBeforeGitsArguments) {
  const TemporaryFolder folder;
  std::ofstream(folder.path() / "write.py") << kWriteInsertedRow;
  const CliRun written =
      runCommandLine("cd '" + folder.path().string() + "' && /usr/bin/python3 write.py 2>&1");
  ASSERT_EQ(written.exitCode, 0) << written.output;
  const std::string versions = " book.xlsx '" + (folder.path() / "one.xlsx").string() +
                               "' 0 100644 '" + (folder.path() / "two.xlsx").string() +
                               "' 0 100644";
  // By position every row after the inserted one differs.
  const CliRun plain = runCli("git-diff" + versions);
  EXPECT_EQ(plain.exitCode, 0);
  EXPECT_EQ(plain.output.find("row added"), std::string::npos) << plain.output;
  const CliRun aligned = runCli("git-diff --align --ignore-case" + versions);
  EXPECT_EQ(aligned.exitCode, 0);
  EXPECT_NE(aligned.output.find("Sheet!2: row added\n"), std::string::npos) << aligned.output;
  EXPECT_NE(aligned.output.find(", 1 difference "), std::string::npos) << aligned.output;
  const CliRun tolerance = runCli("git-diff --tolerance=0.5 --align -- " + versions);
  EXPECT_EQ(tolerance.exitCode, 0);
  EXPECT_NE(tolerance.output.find("row added"), std::string::npos) << tolerance.output;

  const struct {
    const char* options;
    const char* message;
  } refused[] = {
      {"--align --align", "quillmere-cli git-diff: --align is given more than once\n"},
      {"--tolerance x", "quillmere-cli git-diff: --tolerance does not take \"x\""},
      {"--match key", "quillmere-cli git-diff: unknown option \"--match\""},
  };
  for (const auto& [options, message] : refused) {
    const CliRun run = runCli(std::string("git-diff ") + options + versions);
    EXPECT_EQ(run.exitCode, 2) << options;
    EXPECT_TRUE(run.output.starts_with(message)) << options << "\n" << run.output;
  }
}

TEST(GitDiffCommand, WrongArgumentsAreCode2AndHelpCode0) {
  EXPECT_EQ(runCli("git-diff a b c").exitCode, 2);
  const CliRun help = runCli("git-diff --help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(help.output.starts_with("Usage: quillmere-cli git-diff PATH OLD-FILE"))
      << help.output;
  const CliRun unmerged = runCli("git-diff book.xlsx");
  EXPECT_EQ(unmerged.exitCode, 0);
  EXPECT_TRUE(unmerged.output.starts_with("Workbook book.xlsx\nunmerged")) << unmerged.output;
}

}  // namespace
