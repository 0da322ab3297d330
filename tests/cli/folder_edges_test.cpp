// Folder comparisons around entries that cannot be compared: each is a failed path with a
// plain reason while the rest is compared, and the streams end with an overall total.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/cli_runner.h"
#include "support/temporary_folder.h"

namespace {

namespace fs = std::filesystem;

using quill::test::CliRun;
using quill::test::readFile;
using quill::test::runCli;
using quill::test::TemporaryFolder;

const fs::path kSamples = QUILLMERE_SAMPLES;

std::string quoted(const fs::path& path) {
  return "'" + path.string() + "'";
}

void placeSample(const std::string& sample, const fs::path& path) {
  fs::create_directories(path.parent_path());
  fs::copy_file(kSamples / sample, path);
}

// Trees a/ and b/ with one pair that differs, for each case to add its troubles to.
class FolderEdges : public ::testing::Test {
 protected:
  void SetUp() override {
    placeSample("sample1.xls", root() / "a/good.xls");
    placeSample("sample2.xls", root() / "b/good.xls");
  }
  const fs::path& root() const { return folder_.path(); }
  CliRun compare(const std::string& options) const {
    return runCli("compare " + quoted(root() / "a") + " " + quoted(root() / "b") + " " + options);
  }

 private:
  TemporaryFolder folder_;
};

TEST_F(FolderEdges, ALoopOfLinksIsAFailedPathAndTheRestIsCompared) {
  fs::create_symlink("loop2.xlsx", root() / "a/loop1.xlsx");
  fs::create_symlink("loop1.xlsx", root() / "a/loop2.xlsx");
  const CliRun run = compare("--out " + quoted(root() / "out"));
  EXPECT_EQ(run.exitCode, 2) << run.output;
  EXPECT_EQ(run.output.find("filesystem error"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("loop1.xlsx: in the first folder: the file cannot be read (a loop "
                            "of links)"),
            std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find("good.xls: 27 differences"), std::string::npos) << run.output;
  EXPECT_TRUE(fs::is_regular_file(root() / "out/good.xls/report.htm"));
  EXPECT_NE(readFile(root() / "out/index.htm").find("a loop of links"), std::string::npos);
}

TEST_F(FolderEdges, AnUnreadableSubFolderIsAFailedPath) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every folder";
  placeSample("sample1.xls", root() / "b/locked/inner.xls");
  fs::permissions(root() / "b/locked", fs::perms::none);
  const CliRun run = compare("--format text");
  fs::permissions(root() / "b/locked", fs::perms::owner_all);
  EXPECT_EQ(run.exitCode, 2) << run.output;
  EXPECT_NE(run.output.find("locked: in the second folder: the folder cannot be read "
                            "(permission denied)"),
            std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find("== good.xls =="), std::string::npos) << run.output;
}

TEST_F(FolderEdges, AFileWhereAPairsFolderMustGoFailsThatPairAlone) {
  placeSample("sample1.xls", root() / "a/sub/other.xls");
  placeSample("sample1.xls", root() / "b/sub/other.xls");
  fs::create_directories(root() / "out");
  std::ofstream(root() / "out/sub") << "a file of the user's";
  const CliRun run = compare("--out " + quoted(root() / "out"));
  EXPECT_EQ(run.exitCode, 2) << run.output;
  EXPECT_NE(run.output.find("sub/other.xls: \"" + (root() / "out/sub").string() +
                            "\" is a file, where a folder for the documents must go"),
            std::string::npos)
      << run.output;
  EXPECT_EQ(readFile(root() / "out/sub"), "a file of the user's");
  EXPECT_TRUE(fs::is_regular_file(root() / "out/good.xls/report.htm"));
}

TEST_F(FolderEdges, TextAndCsvStreamsEndWithTheOverallTotal) {
  placeSample("sample1.xls", root() / "a/gone.xls");
  const CliRun text = compare("--format text");
  EXPECT_EQ(text.exitCode, 1) << text.output;
  EXPECT_TRUE(text.output.ends_with(
      "\nOverall: 120 cells compared in 3 sheet pairs, 27 differences in 3 of them; 0 pairs "
      "failed, 0 workbooks added, 1 workbook removed\n"))
      << text.output;
  const CliRun csv = compare("--format csv");
  EXPECT_EQ(csv.exitCode, 1) << csv.output;
  const std::size_t last = csv.output.rfind("\r\n", csv.output.size() - 3);
  EXPECT_TRUE(csv.output.substr(last + 2).starts_with(
      ",,,,,,overall total,,\"0 pairs failed, 0 workbooks added, 1 workbook removed\",,,,120,27,"))
      << csv.output;
}

TEST_F(FolderEdges, QuestionMarksAndHashesInPathsArePercentEncodedInLinks) {
  placeSample("sample1.xls", root() / "a/what?#1.xls");
  placeSample("sample1.xls", root() / "b/what?#1.xls");
  const CliRun run = compare("--out " + quoted(root() / "out"));
  EXPECT_EQ(run.exitCode, 1) << run.output;
  const std::string index = readFile(root() / "out/index.htm");
  EXPECT_NE(index.find("href=\"what%3F%231.xls/report.htm\""), std::string::npos) << index;
  const std::string report = readFile(root() / "out/what?#1.xls/report.htm");
  EXPECT_NE(report.find("/a/what%3F%231.xls\""), std::string::npos);
  EXPECT_EQ(report.find("what?#1.xls\""), std::string::npos);
}

}  // namespace
