// Comparing two folder trees of workbooks: how the paths pair, what each pair's folder and
// the index receive, and the exit code the pairs add up to.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/folder_pairing.h"
#include "support/cli_runner.h"
#include "support/temporary_folder.h"

namespace {

namespace fs = std::filesystem;

using quill::cli::pairFolder;
using quill::cli::pairWorkbooks;
using quill::cli::WorkbookPath;
using quill::test::readFile;
using quill::test::runCli;
using quill::test::TemporaryFolder;

const fs::path kSamples = QUILLMERE_SAMPLES;

void writeText(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path) << text;
}

// Copies a sample workbook to the path, making its folders.
void placeSample(const std::string& sample, const fs::path& path) {
  fs::create_directories(path.parent_path());
  fs::copy_file(kSamples / sample, path);
}

std::string quoted(const fs::path& path) {
  return "'" + path.string() + "'";
}

std::size_t rowCount(const std::string& document) {
  std::size_t count = 0;
  for (std::size_t at = 0; (at = document.find("<tr", at)) != std::string::npos; ++at) ++count;
  return count;
}

// Runs a folder comparison of a/ and b/ under the root into out/.
quill::test::CliRun compareTrees(const fs::path& root, const std::string& options = "") {
  return runCli("compare " + quoted(root / "a") + " " + quoted(root / "b") + " --out " +
                quoted(root / "out") + " " + options);
}

TEST(FolderPairing, PairsWorkbooksByPathAndLeavesOtherFilesOut) {
  TemporaryFolder root;
  const fs::path a = root.path() / "a", b = root.path() / "b";
  for (const char* name : {"both.xlsx", "deep/er/both.ods", "first.csv", "UPPER.XLS"})
    writeText(a / name, "x");
  for (const char* name : {"both.xlsx", "deep/er/both.ods", "second.xlsb", "UPPER.XLS"})
    writeText(b / name, "x");
  writeText(a / "notes.txt", "x");
  writeText(b / "deep/picture.png", "x");
  writeText(b / "no-extension", "x");
  fs::create_directories(b / "folder.xlsx");  // a folder, not a workbook

  std::vector<std::string> seen;
  for (const WorkbookPath& path : pairWorkbooks(a, b))
    seen.push_back(path.relativePath + (path.inFirst ? " 1" : "") + (path.inSecond ? " 2" : ""));
  EXPECT_EQ(seen,
            (std::vector<std::string>{"UPPER.XLS 1 2", "both.xlsx 1 2", "deep/er/both.ods 1 2",
                                      "first.csv 1", "second.xlsb 2"}));
}

TEST(FolderPairing, PairFoldersStayInsideTheOutputFolder) {
  EXPECT_EQ(pairFolder("out", "sub/a.xlsx"), fs::path("out/sub/a.xlsx"));
  for (const char* unsafe : {"", "/etc/a.xlsx", "../a.xlsx", "sub/../../a.xlsx", "./a.xlsx"})
    EXPECT_THROW(pairFolder("out", unsafe), std::runtime_error) << unsafe;
}

TEST(FolderComparison, AFailingPairIsListedWhileTheOthersAreWritten) {
  TemporaryFolder root;
  const fs::path& r = root.path();
  placeSample("sample1.xls", r / "a/changed.xls");
  placeSample("sample2.xls", r / "b/changed.xls");
  placeSample("sample1.xls", r / "a/sub/same.xls");
  placeSample("sample1.xls", r / "b/sub/same.xls");
  writeText(r / "a/sub/damaged.xlsx", "not a workbook");
  placeSample("sample1.xls", r / "b/sub/damaged.xlsx");
  placeSample("sample1.xls", r / "a/only <first>.xls");
  placeSample("sample1.xls", r / "b/new & second.xls");
  placeSample("sample1.xls", r / "a/q #1.xls");
  placeSample("sample1.xls", r / "b/q #1.xls");

  const auto run = compareTrees(r);
  EXPECT_EQ(run.exitCode, 2) << run.output;
  EXPECT_NE(run.output.find("sub/damaged.xlsx: failed"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("4 pairs compared: 1 different, 1 failed; 1 added, 1 removed"),
            std::string::npos)
      << run.output;
  for (const char* pair : {"changed.xls", "sub/same.xls"}) {
    EXPECT_TRUE(fs::is_regular_file(r / "out" / pair / "report.htm")) << pair;
    EXPECT_TRUE(fs::is_regular_file(r / "out" / pair / "visualized.htm")) << pair;
  }
  EXPECT_FALSE(fs::exists(r / "out/sub/damaged.xlsx"));

  const std::string index = readFile(r / "out/index.htm");
  EXPECT_NE(index.find("<td>changed.xls</td><td>different</td>"), std::string::npos) << index;
  EXPECT_NE(index.find("<a href=\"sub/same.xls/report.htm\">"), std::string::npos) << index;
  EXPECT_NE(index.find("<a href=\"q%20%231.xls/visualized.htm\">"), std::string::npos) << index;
  EXPECT_NE(index.find("<td>sub/damaged.xlsx</td><td>failed</td>"), std::string::npos);
  EXPECT_NE(index.find("is not a workbook"), std::string::npos);
  EXPECT_NE(index.find("<td>only &lt;first&gt;.xls</td><td>removed</td>"), std::string::npos);
  EXPECT_NE(index.find("<td>new &amp; second.xls</td><td>added</td>"), std::string::npos);
  EXPECT_EQ(index.find("<first>"), std::string::npos);
}

TEST(FolderComparison, PairsComparedTogetherWriteTheirOwnFolders) {
  TemporaryFolder root;
  const fs::path& r = root.path();
  const std::vector<std::string> pairs = {"p1.xls",     "p2.xls",   "x/p3.xls",
                                          "x/y/p4.xls", "z/p5.xls", "z/p6.xls"};
  for (const std::string& pair : pairs) {
    placeSample("sample1.xls", r / "a" / pair);
    placeSample("sample2.xls", r / "b" / pair);
  }
  const auto run = compareTrees(r, "--jobs 4");
  EXPECT_EQ(run.exitCode, 1) << run.output;
  const std::string first = readFile(r / "out/p1.xls/report.htm");
  EXPECT_GT(rowCount(first), 2u);
  for (const std::string& pair : pairs) {
    const std::string report = readFile(r / "out" / pair / "report.htm");
    // Each report names its own pair's files and lists the same differences as the others.
    EXPECT_NE(report.find((r / "a" / pair).string()), std::string::npos) << pair;
    EXPECT_NE(report.find((r / "b" / pair).string()), std::string::npos) << pair;
    EXPECT_TRUE(fs::is_regular_file(r / "out" / pair / "visualized.htm")) << pair;
    EXPECT_EQ(rowCount(report), rowCount(first)) << pair;
  }
  for (const auto& entry : fs::recursive_directory_iterator(r / "out"))
    EXPECT_FALSE(entry.path().filename().string().starts_with(".quillmere-")) << entry.path();
}

TEST(FolderComparison, ExitCodeSaysWhetherTheTreesDiffer) {
  struct Case {
    const char* what;
    std::vector<std::pair<std::string, std::string>> files;  // path under the root, sample
    int exitCode;
  };
  const std::vector<Case> cases = {
      {"same pairs", {{"a/s.xls", "sample1.xls"}, {"b/s.xls", "sample1.xls"}}, 0},
      {"empty trees", {}, 0},
      {"one-sided",
       {{"a/s.xls", "sample1.xls"}, {"b/s.xls", "sample1.xls"}, {"b/t.xls", "sample1.xls"}},
       1},
      {"a pair differs", {{"a/s.xls", "sample1.xls"}, {"b/s.xls", "sample2.xls"}}, 1},
  };
  for (const Case& c : cases) {
    TemporaryFolder root;
    fs::create_directories(root.path() / "a");
    fs::create_directories(root.path() / "b");
    for (const auto& [path, sample] : c.files) placeSample(sample, root.path() / path);
    const auto run = compareTrees(root.path());
    EXPECT_EQ(run.exitCode, c.exitCode) << c.what << "\n" << run.output;
    EXPECT_TRUE(fs::is_regular_file(root.path() / "out/index.htm")) << c.what;
  }
}

TEST(FolderComparison, WrongOptionsAreRefusedBeforeAnythingIsWritten) {
  TemporaryFolder root;
  placeSample("sample1.xls", root.path() / "a/s.xls");
  placeSample("sample1.xls", root.path() / "b/s.xls");
  for (const char* options :
       {"--jobs 0", "--jobs 17", "--jobs many", "--jobs", "--sheet1 2", "--quiet --quiet",
        "--out ''", "--tolerance -2", "--match key", "--align --align"}) {
    const auto run = compareTrees(root.path(), options);
    EXPECT_EQ(run.exitCode, 2) << options << "\n" << run.output;
    EXPECT_FALSE(fs::exists(root.path() / "out/index.htm")) << options;
  }
}

TEST(FolderComparison, ALinkInTheOutputFolderCannotLeadAPairOutside) {
  TemporaryFolder root;
  const fs::path& r = root.path();
  placeSample("sample1.xls", r / "a/sub/s.xls");
  placeSample("sample2.xls", r / "b/sub/s.xls");
  fs::create_directories(r / "out");
  fs::create_directories(r / "elsewhere");
  fs::create_directory_symlink(r / "elsewhere", r / "out/sub");

  const auto run = compareTrees(r);
  EXPECT_EQ(run.exitCode, 2) << run.output;
  EXPECT_NE(run.output.find("leads out of the output folder"), std::string::npos) << run.output;
  EXPECT_TRUE(fs::is_empty(r / "elsewhere"));
  EXPECT_TRUE(fs::is_symlink(r / "out/sub"));
}

}  // namespace
