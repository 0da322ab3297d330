// Names and texts that hold controls reach the terminal as escapes in every command: sheet
// names (a CSV's sheet is named after its file), cell texts, C1 and bidirectional controls;
// and the listings fail when their output cannot be written.
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
using quill::test::runCommandLine;
using quill::test::TemporaryFolder;

constexpr const char* kOsc = "\x1b]0;owned\x07";
constexpr const char* kRightToLeftOverride = "\xE2\x80\xAE";
constexpr const char* kNextLine = "\xC2\x85";  // C1 control U+0085

std::string quoted(const fs::path& path) {
  return "'" + path.string() + "'";
}

// A folder with a CSV whose name (so its sheet's) holds an escape sequence and a line feed,
// and whose cells hold C1 and bidirectional controls.
class HostileNames : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = folder_.path() / (std::string("bad") + kOsc + "\nname.csv");
    std::ofstream(file_) << "plain,"
                         << "next" << kNextLine << "line\n"
                         << "abc" << kRightToLeftOverride << "fed,x\n";
  }
  const fs::path& file() const { return file_; }
  const fs::path& folder() const { return folder_.path(); }

 private:
  TemporaryFolder folder_;
  fs::path file_;
};

constexpr const char* kEscapedName = "bad\\x1B]0;owned\\x07\\nname";

TEST_F(HostileNames, SheetsAndCellsEscapeTheSheetName) {
  const CliRun sheets = runCli("sheets " + quoted(file()), false);
  EXPECT_EQ(sheets.exitCode, 0);
  EXPECT_EQ(sheets.output, std::string("1\t") + kEscapedName + "\t$A$1:$B$2\n");
  const CliRun cells = runCli("cells " + quoted(file()), false);
  EXPECT_EQ(cells.exitCode, 0);
  EXPECT_EQ(cells.output, std::string(kEscapedName) + "!A1\tplain\n" + kEscapedName +
                              "!B1\tnext\\u0085line\n" + kEscapedName + "!A2\tabc\\u202Efed\n" +
                              kEscapedName + "!B2\tx\n");
}

TEST_F(HostileNames, TextconvEscapesTheNameAndEveryControl) {
  const CliRun run = runCli("textconv " + quoted(file()), false);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output, std::string("Sheet: ") + kEscapedName +
                            "\n\"plain\",\"next\\x85line\"\n\"abc\\u202Efed\",\"x\"\n");
}

TEST_F(HostileNames, TextFormatQuotesAndEscapesBidirectionalControls) {
  const fs::path other = folder() / "other.csv";
  std::ofstream(other) << "plain,same\n"
                       << "abc" << kRightToLeftOverride << "fed,x\n";
  const fs::path mine = folder() / "mine.csv";
  std::ofstream(mine) << "plain,same\nabc,x\n";
  const CliRun run =
      runCli("compare " + quoted(mine) + " " + quoted(other) + " --format text", false);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.output.find("abc -> \"abc\\u202Efed\""), std::string::npos) << run.output;
  EXPECT_EQ(run.output.find(kRightToLeftOverride), std::string::npos) << run.output;
}

TEST_F(HostileNames, ListingsIntoAFullDiskFailWithOneLine) {
  for (const char* command : {"cells", "sheets"}) {
    const CliRun run = runCommandLine("'" QUILLMERE_CLI "' " + std::string(command) + " " +
                                      quoted(file()) + " 2>&1 >/dev/full");
    EXPECT_EQ(run.exitCode, 2) << command;
    EXPECT_EQ(run.output, "quillmere-cli " + std::string(command) +
                              ": the lines could not be written to the standard output\n");
  }
}

}  // namespace
