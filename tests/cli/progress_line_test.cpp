// The progress line: what it draws, that it erases itself, and that it reaches a terminal
// alone.
#include "cli/progress_line.h"

#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/cli_runner.h"
#include "support/temporary_folder.h"

namespace {

namespace fs = std::filesystem;

using quill::cli::ProgressLine;
using quill::test::TemporaryFolder;

const fs::path kSamples = QUILLMERE_SAMPLES;
constexpr std::string_view kErase = "\r\x1b[K";

// The texts drawn, in order, each without the erasing that comes before it.
std::vector<std::string> drawnTexts(const std::string& stream) {
  std::vector<std::string> texts;
  for (std::size_t at = stream.find(kErase); at != std::string::npos;) {
    const std::size_t next = stream.find(kErase, at + kErase.size());
    texts.push_back(stream.substr(at + kErase.size(), next - at - kErase.size()));
    at = next;
  }
  return texts;
}

TEST(ProgressLine, NamesWithControlsStayOnTheLineAsEscapes) {
  std::ostringstream stream;
  {
    ProgressLine line(stream, true);
    line.setReading("a\nb.csv and c\x1b]0;title\x07.csv");
    line.setSheet("tab\there");
  }
  const std::vector<std::string> texts = drawnTexts(stream.str());
  ASSERT_GE(texts.size(), 2u);
  EXPECT_EQ(texts[0], "reading a\\nb.csv and c\\x1B]0;title\\x07.csv");
  EXPECT_EQ(texts[1], "comparing tab\\there");
}

TEST(ProgressLine, DrawsEachStageOverTheLastAndErasesItself) {
  std::ostringstream stream;
  {
    ProgressLine line(stream, true);
    line.setReading("a.xlsx and b.xlsx");
    line.setSheet("Sheet1");
    line.setMaximum(300);
    for (long row = 1; row <= 300; ++row) line.setValue(row);
    line.setSheet("Empty");
    line.setValue(0);
    line.setWriting();
  }
  const std::vector<std::string> texts = drawnTexts(stream.str());
  ASSERT_GE(texts.size(), 6u);
  EXPECT_EQ(texts[0], "reading a.xlsx and b.xlsx");
  EXPECT_EQ(texts[1], "comparing Sheet1");
  EXPECT_EQ(texts[2], "comparing Sheet1, row 1 of 300");
  // Rows are drawn by hundredths of the sheet, not each one.
  EXPECT_EQ(texts[3], "comparing Sheet1, row 4 of 300");
  EXPECT_LE(texts.size(), 110u);
  EXPECT_EQ(texts[texts.size() - 3], "comparing Empty, row 0");
  EXPECT_EQ(texts[texts.size() - 2], "writing report.htm and visualized.htm");
  EXPECT_EQ(texts.back(), "");  // erased when it goes
}

TEST(ProgressLine, ALongTextIsCutToOneLineBetweenCharacters) {
  std::ostringstream stream;
  ProgressLine line(stream, true);
  line.setSheet(std::string(61, 'x') + "\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9");  // é é é é
  const std::string text = drawnTexts(stream.str()).at(0);
  EXPECT_EQ(text.size(), 77u);
  EXPECT_EQ(text.substr(text.size() - 2), "\xc3\xa9");
}

TEST(ProgressLine, ALineNotDrawnWritesNothing) {
  std::ostringstream stream;
  {
    ProgressLine line(stream, false);
    line.setReading("a.xlsx");
    line.setSheet("Sheet1");
    line.setMaximum(10);
    line.setValue(5);
    line.setWriting();
    line.setText("text");
    line.clear();
  }
  EXPECT_EQ(stream.str(), "");
}

// Runs quillmere-cli on a pseudo-terminal, as a user at a terminal would; gives everything
// it wrote there and its exit code.
quill::test::CliRun runOnTerminal(const std::vector<std::string>& arguments) {
  quill::test::CliRun run;
  int terminal = -1;
  const pid_t child = ::forkpty(&terminal, nullptr, nullptr, nullptr);
  if (child < 0) return run;
  if (child == 0) {
    std::vector<char*> argv{const_cast<char*>(QUILLMERE_CLI)};
    for (const std::string& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    ::execv(QUILLMERE_CLI, argv.data());
    ::_exit(127);
  }
  char buffer[4096];
  for (ssize_t got; (got = ::read(terminal, buffer, sizeof buffer)) > 0;)
    run.output.append(buffer, std::size_t(got));
  ::close(terminal);
  int status = 0;
  ::waitpid(child, &status, 0);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return run;
}

TEST(ProgressLine, DrawnOnATerminalUnlessQuiet) {
  TemporaryFolder out;
  const std::vector<std::string> compare = {"compare", (kSamples / "sample1.xls").string(),
                                            (kSamples / "sample2.xls").string(), "--out",
                                            out.path().string()};
  const auto drawn = runOnTerminal(compare);
  EXPECT_EQ(drawn.exitCode, 1) << drawn.output;
  EXPECT_NE(drawn.output.find(std::string(kErase) + "reading "), std::string::npos) << drawn.output;
  EXPECT_NE(drawn.output.find(", row 1 of "), std::string::npos) << drawn.output;
  EXPECT_NE(drawn.output.find(std::string(kErase) + "writing report.htm"), std::string::npos);
  // The summary comes after the line is erased, on a line of its own.
  EXPECT_NE(drawn.output.find(std::string(kErase) + "27 differences in 3 of 3 sheets"),
            std::string::npos)
      << drawn.output;

  std::vector<std::string> quiet = compare;
  quiet.push_back("--quiet");
  const auto silent = runOnTerminal(quiet);
  EXPECT_EQ(silent.exitCode, 1) << silent.output;
  EXPECT_EQ(silent.output.find('\x1b'), std::string::npos) << silent.output;
  EXPECT_NE(silent.output.find("27 differences"), std::string::npos);
}

TEST(ProgressLine, AFailureIsPrintedOnALineOfItsOwn) {
  TemporaryFolder folder;
  const fs::path damaged = folder.path() / "damaged.xlsx";
  std::ofstream(damaged) << "not a workbook";
  const auto run = runOnTerminal({"compare", (kSamples / "sample1.xls").string(), damaged.string(),
                                  "--out", folder.path().string()});
  EXPECT_EQ(run.exitCode, 2) << run.output;
  EXPECT_NE(run.output.find(std::string(kErase) + "quillmere-cli compare: \"" + damaged.string()),
            std::string::npos)
      << run.output;
}

TEST(ProgressLine, NeverDrawnIntoAPipe) {
  TemporaryFolder out;
  const auto piped = quill::test::runCli("compare '" + (kSamples / "sample1.xls").string() + "' '" +
                                         (kSamples / "sample2.xls").string() + "' --out '" +
                                         out.path().string() + "'");
  EXPECT_EQ(piped.exitCode, 1);
  EXPECT_EQ(piped.output, "27 differences in 3 of 3 sheets\n");
}

TEST(ProgressLine, AFolderComparisonCountsItsPairsOnATerminal) {
  TemporaryFolder root;
  for (const char* side : {"a", "b"}) {
    fs::create_directories(root.path() / side);
    fs::copy_file(kSamples / "sample1.xls", root.path() / side / "s.xls");
  }
  const auto run =
      runOnTerminal({"compare", (root.path() / "a").string(), (root.path() / "b").string(), "--out",
                     (root.path() / "out").string()});
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("compared 1 of 1 pairs: s.xls"), std::string::npos) << run.output;
}

}  // namespace
