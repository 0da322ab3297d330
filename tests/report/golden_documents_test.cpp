// Every comparison mode run on real workbooks, its two documents compared byte for byte with
// the pair checked in under tests/data/golden/<case>/. A change to what any mode writes shows
// here first. To write the pairs anew after an intended change, run this program with
// QUILLMERE_UPDATE_GOLDEN=1 and review the difference before committing it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "engine/choose_comparison.h"
#include "engine/comparison.h"
#include "engine/workbook_reading.h"
#include "formats/session.h"
#include "report/documents.h"
#include "report/html_result_writer.h"
#include "support/collecting_error_box.h"
#include "support/document_links.h"
#include "support/temporary_folder.h"

namespace quill::test {
namespace {

namespace fs = std::filesystem;

const fs::path kData = QUILLMERE_TEST_DATA;
const fs::path kSamples = QUILLMERE_SAMPLES;

// One comparison: the files it opens, the paths the documents show, and the request.
struct GoldenCase {
  const char* name;
  fs::path file1;
  fs::path file2;
  std::function<void(ComparisonRequest&)> narrow;
};

void PrintTo(const GoldenCase& golden, std::ostream* out) {
  *out << golden.name;
}

const GoldenCase kCases[] = {
    {"samples_whole", kSamples / "sample1.xls", kSamples / "sample2.xls", [](auto&) {}},
    {"keyed_whole", kData / "keyed/keyed1.xlsx", kData / "keyed/keyed2.xlsx", [](auto&) {}},
    {"dates_1900_against_1904", kData / "xlsx/numbers_dates.xlsx", kData / "xlsx/date1904.xlsx",
     [](auto&) {}},
    {"range", kData / "keyed/keyed1.xlsx", kData / "keyed/keyed2.xlsx",
     [](ComparisonRequest& r) {
       r.sheet1 = 2;
       r.range1 = "$A$1:$D$4";
       r.range2 = "$A$1:$D$4";
     }},
    {"range_shifted", kData / "keyed/keyed1.xlsx", kData / "keyed/keyed2.xlsx",
     [](ComparisonRequest& r) {
       r.sheet1 = 2;
       r.sheet2 = 1;
       r.range1 = "B2:C4";
       r.range2 = "$A$1:$B$2";
     }},
    {"rows_keyed", kData / "keyed/keyed1.xlsx", kData / "keyed/keyed2.xlsx",
     [](ComparisonRequest& r) {
       r.sheet1 = 2;
       r.mode = Mode::Rows;
       r.range1 = "$A:$D";
       r.startRow = "1";
       r.identifying = "A";
       r.ignored = "D";
     }},
    {"rows_plain", kData / "keyed/keyed1.xlsx", kData / "keyed/keyed2.xlsx",
     [](ComparisonRequest& r) {
       r.sheet1 = 2;
       r.mode = Mode::Rows;
       r.range1 = "$B:$D";
       r.startRow = "2";
       r.endRow = "4";
     }},
    {"columns_keyed", kData / "keyed/keyed1.xlsx", kData / "keyed/keyed2.xlsx",
     [](ComparisonRequest& r) {
       r.sheet1 = 3;
       r.mode = Mode::Columns;
       r.range1 = "$1:$3";
       r.startColumn = "A";
       r.identifying = "1, 2";
     }},
    {"columns_plain", kData / "keyed/keyed1.xlsx", kData / "keyed/keyed2.xlsx",
     [](ComparisonRequest& r) {
       r.sheet1 = 3;
       r.mode = Mode::Columns;
       r.range1 = "$1:$3";
       r.startColumn = "B";
       r.endColumn = "C";
       r.ignored = "2";
     }},
    {"aligned_samples", kSamples / "sample1.xls", kSamples / "sample2.xls",
     [](ComparisonRequest& r) { r.options.align = true; }},
    {"rows_key_joined", kData / "keyed/keyed1.xlsx", kData / "keyed/keyed2.xlsx",
     [](ComparisonRequest& r) {
       r.sheet1 = 2;
       r.mode = Mode::Rows;
       r.range1 = "$A:$D";
       r.identifying = "A";
       r.options.matchKey = true;
     }},
    {"columns_key_joined", kData / "keyed/keyed1.xlsx", kData / "keyed/keyed2.xlsx",
     [](ComparisonRequest& r) {
       r.sheet1 = 3;
       r.mode = Mode::Columns;
       r.range1 = "$1:$3";
       r.identifying = "1";
       r.options.matchKey = true;
     }},
    {"formulas_range", kData / "cross/formulas.xlsx", kData / "formulas/formulas.xlsx",
     [](ComparisonRequest& r) {
       r.sheet1 = 1;
       r.range1 = "$A$1:$C$6";
       r.options.formulas = true;
     }},
};

class GoldenDocuments : public testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenDocuments, MatchByteForByte) {
  const GoldenCase& golden = GetParam();
  TemporaryFolder out;
  ComparisonRequest request;
  // The documents show these paths; the files themselves are opened where they lie.
  request.path1 = "/data/" + golden.file1.filename().string();
  request.path2 = "/data/" + golden.file2.filename().string();
  golden.narrow(request);
  SpreadsheetSession session;
  CollectingErrorBox errors;
  openWorkbookPair(session, golden.file1.string(), golden.file2.string(), errors,
                   readOptionsFor(request.options));
  NoProgress progress;
  HtmlResultWriter documents(out.path());
  ComparisonContext context{request,  session, documents,
                            progress, errors,  [] { return std::string("2026-12-08 01:00:00"); }};
  const ComparisonOutcome outcome = runChosenComparison(context);
  ASSERT_TRUE(outcome.resultComplete) << testing::PrintToString(errors.texts);

  // The outcome counts what the difference list holds, one row for each.
  const std::string report = readFile(out.path() / kReportFileName);
  long listed = 0;
  for (std::size_t at = report.find("<tr><td align=left>"); at != std::string::npos;
       at = report.find("<tr><td align=left>", at + 1))
    ++listed;
  EXPECT_EQ(outcome.differences, listed);

  EXPECT_EQ(linksThatDoNotLand(readFile(out.path() / kReportFileName),
                               readFile(out.path() / kGridFileName)),
            std::vector<std::string>{});

  const fs::path expected = kData / "golden" / golden.name;
  const bool update = std::getenv("QUILLMERE_UPDATE_GOLDEN") != nullptr;
  for (std::string_view name : {kReportFileName, kGridFileName}) {
    const std::string written = readFile(out.path() / name);
    if (update) {
      fs::create_directories(expected);
      std::ofstream(expected / name, std::ios::binary) << written;
      continue;
    }
    ASSERT_TRUE(fs::exists(expected / name)) << expected / name;
    EXPECT_EQ(written, readFile(expected / name)) << expected / name;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryMode, GoldenDocuments, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quill::test
