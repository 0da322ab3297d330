// Every corpus workbook that both an independent reader (openpyxl for .xlsx and its kin,
// odfpy for .ods) and ours open lists the same notes, names, hidden and merged areas and
// formats.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "formats/workbook_file.h"
#include "support/cli_runner.h"
#include "support/contents_listing.h"
#include "support/corpus.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

const std::string kOracle = std::string(QUILLMERE_TEST_DATA) + "/contents/contents_oracle.py";

bool modulePresent(const std::string& module) {
  return test::runCommandLine("/usr/bin/python3 -c 'import " + module + "' 2>/dev/null").exitCode ==
         0;
}

std::vector<fs::path> corpusFiles(const std::vector<std::string>& extensions) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(test::kCorpus)) {
    std::string extension = entry.path().extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char ch) { return char(std::tolower(ch)); });
    if (entry.is_regular_file() &&
        std::find(extensions.begin(), extensions.end(), extension) != extensions.end())
      files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// The lines of a listing that the other lacks, each with a "+" (only ours) or "-" (only the
// oracle's) in front: a short message for a large workbook.
std::string differingLines(const std::string& ours, const std::string& oracle) {
  const auto lines = [](const std::string& text) {
    std::set<std::string> set;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) set.insert(line);
    return set;
  };
  const auto mine = lines(ours), theirs = lines(oracle);
  std::string out;
  for (const std::string& line : mine)
    if (!theirs.count(line)) out += "+" + line + "\n";
  for (const std::string& line : theirs)
    if (!mine.count(line)) out += "-" + line + "\n";
  return out;
}

// Leaves out the names openpyxl moves from the workbook's names to its sheets' print
// settings, where they no longer read as names.
std::string withoutPrintNames(const std::string& listing) {
  std::istringstream in(listing);
  std::string out;
  for (std::string line; std::getline(in, line);)
    if (line.find("\t_xlnm.Print_Area\t") == std::string::npos &&
        line.find("\t_xlnm.Print_Titles\t") == std::string::npos)
      out += line + "\n";
  return out;
}

std::size_t sheetLines(const std::string& listing) {
  std::size_t count = 0;
  for (std::size_t at = listing.find("sheet\t"); at != std::string::npos;
       at = listing.find("\nsheet\t", at + 1))
    ++count;
  return count;
}

// Compares our listing with the oracle's for every file both read; gives how many were
// compared. A file either reader refuses is left out: the corpus tests of each reader
// cover refusals.
// Formats of .ods documents are left out: odfpy reads no number styles, and the C++ tests
// check them on hand-written styles.
std::string withoutFormats(const std::string& listing) {
  std::istringstream in(listing);
  std::string out;
  for (std::string line; std::getline(in, line);)
    if (line.rfind("format\t", 0) != 0) out += line + "\n";
  return out;
}

// The oracle's listing of each file, read in one process; a file it fails on is left out.
std::map<std::string, std::string> oracleListings(const std::vector<fs::path>& files) {
  std::string command = "timeout 1200 /usr/bin/python3 '" + kOracle + "' --each";
  for (const fs::path& file : files) command += " '" + file.string() + "'";
  const auto run = test::runCommandLine(command + " 2>/dev/null");
  EXPECT_EQ(run.exitCode, 0);
  std::map<std::string, std::string> listings;
  std::istringstream in(run.output);
  std::string* current = nullptr;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("== ", 0) == 0)
      current = &listings[line.substr(3)];
    else if (current != nullptr)
      *current += line + "\n";
  }
  std::erase_if(listings, [](const auto& entry) { return entry.second.rfind("!", 0) == 0; });
  return listings;
}

int compareWithOracle(const std::vector<fs::path>& files, bool withFormats = true) {
  int compared = 0;
  ReadOptions options;
  options.contents = ContentsToRead::all();
  options.contents.macros = false;
  const auto oracle = oracleListings(files);
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.string());
    std::unique_ptr<Workbook> workbook;
    try {
      workbook = readWorkbookFile(file.string(), options);
    } catch (const WorkbookError&) {
      continue;
    }
    // A file the oracle fails on, or whose worksheets it drops (it reads no strict
    // packages), says nothing about ours.
    const auto listing = oracle.find(file.string());
    if (listing == oracle.end() || sheetLines(listing->second) != workbook->sheetCount()) continue;
    std::string ours = withoutPrintNames(test::contentsListing(*workbook, false));
    if (!withFormats) ours = withoutFormats(ours);
    EXPECT_EQ(differingLines(ours, listing->second), "");
    ++compared;
  }
  return compared;
}

TEST(CorpusContents, OpenXmlWorkbooksAgreeWithOpenpyxl) {
  SKIP_WITHOUT_CORPUS();
  if (!modulePresent("openpyxl")) GTEST_SKIP() << "python3-openpyxl is missing";
  EXPECT_GT(compareWithOracle(corpusFiles({".xlsx", ".xlsm", ".xltx", ".xltm"})), 20);
}

}  // namespace
}  // namespace quill

namespace quill {
namespace {

TEST(CorpusContents, OpenDocumentSpreadsheetsAgreeWithOdfpy) {
  SKIP_WITHOUT_CORPUS();
  if (!modulePresent("odf")) GTEST_SKIP() << "python3-odf is missing";
  EXPECT_GT(compareWithOracle(corpusFiles({".ods"}), false), 8);
}

}  // namespace
}  // namespace quill
