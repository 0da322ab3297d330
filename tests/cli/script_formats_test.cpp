// compare --format text|csv|json through quillmere-cli: where the stream goes, that it is
// written whole or not at all, and how a folder comparison puts every pair into it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/cli_runner.h"
#include "support/temporary_folder.h"

namespace {

namespace fs = std::filesystem;

using quill::test::CliRun;
using quill::test::readFile;
using quill::test::runCli;
using quill::test::runCommandLine;
using quill::test::TemporaryFolder;

const fs::path kSamples = QUILLMERE_SAMPLES;
const std::string kSample1 = (kSamples / "sample1.xls").string();
const std::string kSample2 = (kSamples / "sample2.xls").string();
const std::string kDamaged = std::string(QUILLMERE_TEST_DATA) + "/xlsx/missing_worksheet.xlsx";
const std::string kPairs = "'" + kSample1 + "' '" + kSample2 + "' ";

std::vector<std::string> namesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(ScriptFormats, WrongChoicesOfFormatAndOutputAreOneLineAndCode2) {
  const TemporaryFolder folder;
  const std::string file = (folder.path() / "out.txt").string();
  const std::vector<std::pair<std::string, std::string>> cases = {
      {kPairs + "--format yaml",
       "quillmere-cli compare: --format does not take \"yaml\"; expected html, text, csv, json "
       "or xlsx\n"},
      {kPairs + "--output '" + file + "'",
       "quillmere-cli compare: --output is for --format text, csv, json or xlsx; the documents "
       "go into the folder of --out\n"},
      {kPairs + "--format text --out '" + folder.path().string() + "'",
       "quillmere-cli compare: --out is for the documents of --format html; the other formats "
       "go into the file of --output\n"},
      {kPairs + "--format csv --output ''",
       "quillmere-cli compare: --output does not take \"\"; expected a file\n"},
      {kPairs + "--format json --output '" + kSample2 + "'",
       "quillmere-cli compare: Cannot write \"" + kSample2 + "\": it is the input file \"" +
           kSample2 + "\"; choose another file\n"},
  };
  for (const auto& [arguments, message] : cases) {
    const CliRun run = runCli("compare " + arguments);
    EXPECT_EQ(run.exitCode, 2) << arguments;
    EXPECT_EQ(run.output, message) << arguments;
  }
  EXPECT_TRUE(namesIn(folder.path()).empty());
}

TEST(ScriptFormats, OutputFileIsReplacedOnlyByAWholeResult) {
  const TemporaryFolder folder;
  const fs::path file = folder.path() / "result.csv";
  std::ofstream(file) << "old";
  const CliRun failed = runCli("compare '" + kSample1 + "' '" + kDamaged +
                               "' --format csv --output '" + file.string() + "'");
  EXPECT_EQ(failed.exitCode, 2) << failed.output;
  EXPECT_EQ(readFile(file), "old");
  EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"result.csv"});

  const CliRun done = runCli("compare " + kPairs + "--format csv --output '" + file.string() + "'");
  EXPECT_EQ(done.exitCode, 1) << done.output;
  EXPECT_EQ(done.output, "27 differences in 3 of 3 sheets\n");
  EXPECT_TRUE(readFile(file).starts_with("file1,file2,sheet1,sheet2,cell1,cell2,kind,"));
  EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"result.csv"});
}

TEST(ScriptFormats, StandardOutputHoldsTheStreamAloneOrNothing) {
  const CliRun text = runCli("compare " + kPairs + "--format text", false);
  EXPECT_EQ(text.exitCode, 1);
  EXPECT_TRUE(text.output.starts_with("FILE1: " + kSample1 + "\nFILE2: " + kSample2 + "\n\n"))
      << text.output;
  EXPECT_TRUE(text.output.ends_with(
      "Total: 120 cells compared in 3 sheet pairs, 27 differences in 3 of them (6 different "
      "values, 20 missing in FILE1, 1 missing in FILE2); 1 sheet only in FILE2\n"))
      << text.output;
  EXPECT_EQ(text.output.find('\x1b'), std::string::npos) << "coloured into a pipe";

  const CliRun failed =
      runCli("compare '" + kSample1 + "' '" + kDamaged + "' --format json", false);
  EXPECT_EQ(failed.exitCode, 2);
  EXPECT_EQ(failed.output, "");

  const CliRun full =
      runCommandLine("'" QUILLMERE_CLI "' compare " + kPairs + "--format text > /dev/full 2>&1");
  EXPECT_EQ(full.exitCode, 2);
}

TEST(ScriptFormats, FolderComparisonPutsEveryPathIntoOneStream) {
  const TemporaryFolder folder;
  const fs::path first = folder.path() / "one", second = folder.path() / "two";
  fs::create_directories(first / "sub");
  fs::create_directories(second / "sub");
  fs::copy_file(kSample1, first / "sub" / "book.xls");
  fs::copy_file(kSample2, second / "sub" / "book.xls");
  fs::copy_file(kSample1, first / "same.xls");
  fs::copy_file(kSample1, second / "same.xls");
  fs::copy_file(kSample1, first / "gone.xls");
  fs::copy_file(kDamaged, first / "bad.xlsx");
  fs::copy_file(kDamaged, second / "bad.xlsx");
  const fs::path work = folder.path() / "work";
  fs::create_directories(work);

  const CliRun run = runCommandLine("cd '" + work.string() +
                                    "' && '" QUILLMERE_CLI
                                    "' compare ../one ../two --format text --jobs 3 2>/dev/null");
  EXPECT_EQ(run.exitCode, 2);
  std::vector<std::string> sections;
  for (std::size_t at = run.output.find("== "); at != std::string::npos;
       at = run.output.find("\n== ", at + 1))
    sections.push_back(run.output.substr(at + (at == 0 ? 0 : 1),
                                         run.output.find('\n', at + 1) - at - (at == 0 ? 0 : 1)));
  EXPECT_EQ(sections, (std::vector<std::string>{"== bad.xlsx ==", "== gone.xls ==",
                                                "== same.xls ==", "== sub/book.xls =="}));
  EXPECT_NE(run.output.find("== gone.xls ==\nremoved (in the first folder only)\n"),
            std::string::npos);
  EXPECT_NE(run.output.find("== bad.xlsx ==\nfailed: "), std::string::npos);
  // Nothing but the stream: no index.htm, no pair folders.
  EXPECT_TRUE(namesIn(work).empty());

  const fs::path json = folder.path() / "all.json";
  const CliRun toFile = runCli("compare '" + first.string() + "' '" + second.string() +
                               "' --format json --output '" + json.string() + "'");
  EXPECT_EQ(toFile.exitCode, 2);
  EXPECT_NE(toFile.output.find("3 pairs compared: 1 different, 1 failed; 0 added, 1 removed\n"),
            std::string::npos)
      << toFile.output;
  const std::string document = readFile(json);
  EXPECT_TRUE(document.starts_with(
      "{\"format\":\"quillmere-diff\",\"version\":1,\"comparisons\":[\n{\"path\":\"bad.xlsx\","
      "\"state\":\"failed\""))
      << document;
  EXPECT_NE(document.find("\"pairsFailed\":1,\"workbooksAdded\":0,\"workbooksRemoved\":1}}\n"),
            std::string::npos);
}

}  // namespace
