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
using quill::test::TemporaryFolder;

const std::string kXlsx = std::string(QUILLMERE_TEST_DATA) + "/xlsx/";

using ShellRun = quill::test::CliRun;

// A shell command line, its standard error kept with its output.
ShellRun runShell(const std::string& command) {
  return quill::test::runCommandLine(command + " 2>&1");
}

TEST(TextconvCommand, AnUnreadableVersionIsOneLineAndCode0) {
  // Git stops a whole log -p at a textconv that fails, so a file that is no workbook is told
  // on standard output in place of its lines.
  const std::string damaged = kXlsx + "missing_worksheet.xlsx";
  const CliRun run = runCli("textconv '" + damaged + "'");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output,
            "This version cannot be read as a workbook: \"" + damaged +
                "\" cannot be read: the part \"xl/worksheets/sheet1.xml\" is missing\n");
}

TEST(TextconvCommand, WrongArgumentsFailWithOneLineAndCode2) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"textconv /no/such/book.xlsx",
       "quillmere-cli textconv: \"/no/such/book.xlsx\" does not exist or is not a file\n"},
      {"textconv",
       "quillmere-cli textconv: no FILE given; run 'quillmere-cli textconv --help' "
       "for its usage\n"},
      {"textconv a.xlsx b.xlsx", "quillmere-cli textconv: takes one FILE, and 2 were given\n"},
      {"textconv --sheet 1",
       "quillmere-cli textconv: unknown option \"--sheet\"; a file whose "
       "name begins with \"-\" goes after \"--\"\n"},
      {"textconv -- -no-such.xlsx",
       "quillmere-cli textconv: \"-no-such.xlsx\" does not exist or is not a file\n"},
  };
  for (const auto& [arguments, message] : cases) {
    const CliRun run = runCli(arguments);
    EXPECT_EQ(run.exitCode, 2) << arguments;
    EXPECT_EQ(run.output, message);
  }
}

TEST(TextconvCommand, HelpAndAFullStandardOutput) {
  const CliRun help = runCli("textconv --help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(help.output.starts_with("Usage: quillmere-cli textconv FILE\n")) << help.output;
  // A dump that cannot be written whole is a failure, not a success with lost lines.
  const ShellRun full =
      runShell("{ '" QUILLMERE_CLI "' textconv '" + kXlsx + "texts.xlsx' > /dev/full; }");
  EXPECT_EQ(full.exitCode, 2);
  EXPECT_EQ(full.output,
            "quillmere-cli textconv: the lines could not be written to the standard output\n");
}

// Writes book.xlsx in one of its versions: "first", "changed" (one cell of Prices
// changed) or "inserted" (a row inserted into Prices after that).
constexpr const char* kWriteBook = R"(import sys, openpyxl
version = sys.argv[1]
book = openpyxl.Workbook()
prices = book.active
prices.title = "Prices"
rows = [["Fruit", "Price"], ["Apple", 1], ["Pear", 2], ["Plum", 3], ["Fig", 4], ["Lime", 5],
        ["Date", 6], ["Kiwi", 7]]
if version != "first":
    rows[7][1] = 9
if version == "inserted":
    rows.insert(3, ["Sloe", 8])
for row in rows:
    prices.append(row)
book.create_sheet("Notes")["B2"] = "said \"fine\""
book.save("book.xlsx")
)";

// A repository in a temporary folder whose .xlsx files git shows through the dump; git reads
// no configuration of the user or the system.
class TextconvRepository {
 public:
  TextconvRepository() {
    std::ofstream(folder_.path() / "write_book.py") << kWriteBook;
    std::ofstream(folder_.path() / ".gitattributes") << "*.xlsx diff=quillmere\n";
    EXPECT_EQ(git("init -q").exitCode, 0);
    EXPECT_EQ(git("config diff.quillmere.textconv \"'" QUILLMERE_CLI "' textconv\"").exitCode, 0);
  }

  ShellRun git(const std::string& arguments) const {
    const std::string folder = folder_.path().string();
    return runShell("cd '" + folder + "' && export HOME='" + folder +
                    "' GIT_CONFIG_NOSYSTEM=1 GIT_CONFIG_GLOBAL=/dev/null "
                    "GIT_AUTHOR_NAME=Tester GIT_AUTHOR_EMAIL=tester@example.org "
                    "GIT_COMMITTER_NAME=Tester GIT_COMMITTER_EMAIL=tester@example.org && "
                    "git --no-pager " +
                    arguments);
  }
  void writeBook(const std::string& version) const {
    const ShellRun run = runShell("cd '" + folder_.path().string() +
                                  "' && /usr/bin/python3 write_book.py " + version);
    ASSERT_EQ(run.exitCode, 0) << run.output;
  }
  void commit(const std::string& message) const {
    const ShellRun added = git("add book.xlsx .gitattributes");
    ASSERT_EQ(added.exitCode, 0) << added.output;
    const ShellRun run = git("commit -q -m " + message);
    ASSERT_EQ(run.exitCode, 0) << run.output;
  }

 private:
  TemporaryFolder folder_;
};

// The added and removed lines of a patch, without the file headers.
std::vector<std::string> changedLines(const std::string& patch) {
  std::vector<std::string> lines;
  std::istringstream in(patch);
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with("+++") || line.starts_with("---")) continue;
    if (line.starts_with("+") || line.starts_with("-")) lines.push_back(line);
  }
  return lines;
}

TEST(TextconvInGit, ChangedCellIsOneChangedLineAndInsertedRowOneAddedLine) {
  const TextconvRepository repository;
  repository.writeBook("first");
  repository.commit("first");

  repository.writeBook("changed");
  const ShellRun changed = repository.git("diff book.xlsx");
  ASSERT_EQ(changed.exitCode, 0) << changed.output;
  EXPECT_EQ(changedLines(changed.output),
            (std::vector<std::string>{"-\"Kiwi\",\"7\"", "+\"Kiwi\",\"9\""}))
      << changed.output;
  // Sheet lines start with a letter and row lines never do, so git's default hunk header
  // names the sheet of the change.
  EXPECT_NE(changed.output.find("@@ Sheet: Prices\n"), std::string::npos) << changed.output;
  repository.commit("changed");

  const ShellRun log = repository.git("log -p book.xlsx");
  ASSERT_EQ(log.exitCode, 0) << log.output;
  const std::vector<std::string> logged = changedLines(log.output);
  const std::vector<std::string> expected = {"-\"Kiwi\",\"7\"",
                                             "+\"Kiwi\",\"9\"",  // the later commit first
                                             "+Sheet: Prices",
                                             "+\"Fruit\",\"Price\"",
                                             "+\"Apple\",\"1\"",
                                             "+\"Pear\",\"2\"",
                                             "+\"Plum\",\"3\"",
                                             "+\"Fig\",\"4\"",
                                             "+\"Lime\",\"5\"",
                                             "+\"Date\",\"6\"",
                                             "+\"Kiwi\",\"7\"",
                                             "+Sheet: Notes",
                                             "+",
                                             "+,\"said \\\"fine\\\"\""};
  EXPECT_EQ(logged, expected) << log.output;

  repository.writeBook("inserted");
  const ShellRun inserted = repository.git("diff book.xlsx");
  ASSERT_EQ(inserted.exitCode, 0) << inserted.output;
  EXPECT_EQ(changedLines(inserted.output), std::vector<std::string>{"+\"Sloe\",\"8\""})
      << inserted.output;
}

}  // namespace
