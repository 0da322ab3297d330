#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/temporary_folder.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

const fs::path kCrossData = fs::path(QUILLMERE_TEST_DATA) / "cross";
const fs::path kCli = QUILLMERE_CLI;

std::string quoted(const fs::path& path) {
  return "'" + path.string() + "'";
}

fs::path findSsconvert() {
  for (const char* candidate : {"/usr/bin/ssconvert", "/usr/local/bin/ssconvert"})
    if (fs::exists(candidate)) return candidate;
  return {};
}

// Converts a workbook with Gnumeric's ssconvert through the named exporter.
void convert(const fs::path& ssconvert, const fs::path& from, const fs::path& to,
             const char* exporter) {
  const std::string command = quoted(ssconvert) + " -T " + exporter + " " + quoted(from) + " " +
                              quoted(to) + " >/dev/null 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  ASSERT_TRUE(fs::exists(to)) << command;
}

// The output of `quillmere-cli cells`, with any error message after it.
std::string cellsListing(const fs::path& workbook, const fs::path& folder) {
  const fs::path output = folder / (workbook.filename().string() + ".cells");
  const std::string command =
      quoted(kCli) + " cells " + quoted(workbook) + " >" + quoted(output) + " 2>&1";
  const int status = std::system(command.c_str());
  std::string listing = test::readFile(output);
  if (status != 0) listing += "[exit status " + std::to_string(status) + "]";
  return listing;
}

class CrossFormat : public testing::TestWithParam<const char*> {};

TEST_P(CrossFormat, SameCellsFromXlsxXlsAndOds) {
  const fs::path ssconvert = findSsconvert();
  if (ssconvert.empty()) GTEST_SKIP() << "ssconvert (Gnumeric) is not installed";
  ASSERT_TRUE(fs::exists(kCli)) << "build quillmere-cli first: " << kCli;
  test::TemporaryFolder folder;
  const fs::path xlsx = kCrossData / (std::string(GetParam()) + ".xlsx");
  const fs::path xls = folder.path() / (std::string(GetParam()) + ".xls");
  const fs::path ods = folder.path() / (std::string(GetParam()) + ".ods");
  convert(ssconvert, xlsx, xls, "Gnumeric_Excel:excel_biff8");
  convert(ssconvert, xlsx, ods, "Gnumeric_OpenCalc:odf");

  const std::string expected = cellsListing(xlsx, folder.path());
  EXPECT_NE(expected.find('\t'), std::string::npos) << expected;
  EXPECT_EQ(cellsListing(xls, folder.path()), expected);
  EXPECT_EQ(cellsListing(ods, folder.path()), expected);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, CrossFormat,
                         testing::Values("numbers_and_text", "dates_and_times", "several_sheets",
                                         "formulas"));

}  // namespace
}  // namespace quill
