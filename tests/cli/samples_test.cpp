// The two sample workbooks compared whole through quillmere-cli, as the main window's
// "Load Sample/Example Files" sets them up.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/cli_runner.h"
#include "support/temporary_folder.h"

namespace {

namespace fs = std::filesystem;

const fs::path kSamples = QUILLMERE_SAMPLES;

using quill::test::CliRun;
using quill::test::runCli;

// The rows of the difference list as their visible texts joined by "|", the sample folder
// left out of the file names.
std::vector<std::string> reportRows(const std::string& report) {
  std::vector<std::string> rows;
  const std::string folder = kSamples.string() + "/";
  std::size_t start = report.find("<tr>");
  while (start != std::string::npos) {
    const std::size_t end = report.find("</tr>", start);
    std::string row, text;
    bool inTag = false;
    for (char ch : report.substr(start, end - start)) {
      if (ch == '<' || ch == '>') {
        inTag = ch == '<';
        if (!text.empty()) row += (row.empty() ? "" : "|") + text;
        text.clear();
      } else if (!inTag) {
        text += ch;
      }
    }
    for (std::size_t at; (at = row.find(folder)) != std::string::npos;)
      row.erase(at, folder.size());
    rows.push_back(row);
    start = report.find("<tr>", end);
  }
  return rows;
}

TEST(Samples, ComparingTheSamplesShowsEveryKindOfDifference) {
  const fs::path first = kSamples / "sample1.xls";
  const fs::path second = kSamples / "sample2.xls";
  ASSERT_TRUE(fs::exists(first) && fs::exists(second))
      << "the sample workbooks are missing from " << kSamples;
  quill::test::TemporaryFolder out;
  const CliRun run = runCli("compare '" + first.string() + "' '" + second.string() + "' --out '" +
                            out.path().string() + "'");
  EXPECT_EQ(run.exitCode, 1) << run.output;
  EXPECT_EQ(run.output, "27 differences in 3 of 3 sheets\n");

  std::vector<std::string> expected = {
      "Different value|Inventory!D3|1500|1450",          // a changed count
      "Missing value in |sample2.xls!|Inventory!C6",     // emptied in the second file
      "Different value|Inventory!A8|INV-1007|INV-1017",  // the key of a row differs
      "Different value|Inventory!E9|7.4|7.95",
      "Different value|Inventory!F10|2026-11-06|2026-11-09",  // dates compared as dates
  };
  for (char column : std::string("ABCDEF"))  // a row only the second file has
    expected.push_back("Missing value in |sample1.xls!|Inventory!" + std::string(1, column) + "11");
  expected.push_back("Missing value in |sample1.xls!|Prices!F1");  // a wider second sheet
  expected.push_back("Missing value in |sample1.xls!|Prices!F2");
  expected.push_back("Different value|Prices!C4|9.8|10.4");
  expected.push_back("Different value|Prices!B6|Door handles, set|Door handles, set of two");
  for (int row = 1; row <= 4; ++row)  // a third sheet in the second file only
    for (char column : std::string("ABC"))
      expected.push_back("Missing value in |sample1.xls!|Suppliers!" + std::string(1, column) +
                         std::to_string(row));
  EXPECT_EQ(reportRows(quill::test::readFile(out.path() / "report.htm")), expected);
  EXPECT_NE(quill::test::readFile(out.path() / "visualized.htm").find("INV-1017"),
            std::string::npos);
}

TEST(Samples, ASampleComparedWithItselfHasNoDifferences) {
  const fs::path first = kSamples / "sample1.xls";
  quill::test::TemporaryFolder out;
  const CliRun run = runCli("compare '" + first.string() + "' '" + first.string() + "' --out '" +
                            out.path().string() + "'");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(run.output, "0 differences in 0 of 2 sheets\n");
}

}  // namespace

namespace {

// Both files are read at once on two threads; the first use of the compound-file library
// in a fresh process must not race. Each run is a new process, so the race gets its chance.
TEST(Samples, TwoXlsFilesReadAtOnceNeverCrash) {
  quill::test::TemporaryFolder folder;
  const std::string arguments = "compare '" + (kSamples / "sample1.xls").string() + "' '" +
                                (kSamples / "sample2.xls").string() + "' --out '" +
                                folder.path().string() + "'";
  for (int run = 0; run < 40; ++run)
    ASSERT_EQ(runCli(arguments, false).exitCode, 1) << "run " << run;
}

}  // namespace
