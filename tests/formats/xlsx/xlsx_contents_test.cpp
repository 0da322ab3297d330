// Notes, defined names, hidden and merged areas and formats of .xlsx packages, checked
// against openpyxl's reading of the same file and on hand-made parts openpyxl cannot write.
#include <gtest/gtest.h>

#include <string>

#include "formats/ods/ods_test_support.h"
#include "formats/xlsx/xlsx_reader.h"
#include "support/cli_runner.h"
#include "support/contents_listing.h"
#include "support/temporary_folder.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

const std::string kContentsData = std::string(QUILLMERE_TEST_DATA) + "/contents";

bool openpyxlPresent() {
  return test::runCommandLine("/usr/bin/python3 -c 'import openpyxl' 2>/dev/null").exitCode == 0;
}

ReadOptions withContents() {
  ReadOptions options;
  options.contents = ContentsToRead::all();
  return options;
}

// The oracle's listing of a file, or a failure line when it could not read it.
std::string oracleListing(const fs::path& file) {
  const auto run = test::runCommandLine("/usr/bin/python3 '" + kContentsData +
                                        "/contents_oracle.py' '" + file.string() + "' 2>&1");
  return run.exitCode == 0 ? run.output : "oracle failed: " + run.output;
}

TEST(XlsxContents, AgreesWithOpenpyxlOnEveryKind) {
  if (!openpyxlPresent()) GTEST_SKIP() << "python3-openpyxl is missing";
  test::TemporaryFolder folder;
  const fs::path file = folder.path() / "contents.xlsx";
  ASSERT_EQ(test::runCommandLine("/usr/bin/python3 '" + kContentsData +
                                 "/write_contents_xlsx.py' '" + file.string() + "'")
                .exitCode,
            0);
  const auto workbook = readXlsxWorkbook(file.string(), withContents());
  const std::string listing = test::contentsListing(*workbook);
  EXPECT_EQ(listing, oracleListing(file));
  // The oracle must have seen each kind, or agreeing proves little.
  for (const char* kind : {"note\t", "name\tHidden\t", "rows\t", "columns\t", "merged\t",
                           "sheet\tVery\tveryHidden", "format\t"})
    EXPECT_NE(listing.find(kind), std::string::npos) << kind;
}

TEST(XlsxContents, NothingIsReadUnlessAsked) {
  if (!openpyxlPresent()) GTEST_SKIP() << "python3-openpyxl is missing";
  test::TemporaryFolder folder;
  const fs::path file = folder.path() / "contents.xlsx";
  ASSERT_EQ(test::runCommandLine("/usr/bin/python3 '" + kContentsData +
                                 "/write_contents_xlsx.py' '" + file.string() + "'")
                .exitCode,
            0);
  const auto plain = readXlsxWorkbook(file.string());
  EXPECT_FALSE(plain->contents().read.any());
  EXPECT_TRUE(plain->contents().names.empty());
  EXPECT_TRUE(plain->contents().formats.empty());
  for (std::size_t i = 1; i <= plain->sheetCount(); ++i) {
    const SheetContents& sheet = plain->sheet(i).contents();
    EXPECT_EQ(sheet.visibility, SheetVisibility::Visible);
    EXPECT_TRUE(sheet.notes.empty() && sheet.hiddenRows.empty() && sheet.hiddenColumns.empty() &&
                sheet.merged.empty() && sheet.formats.empty());
  }
  ReadOptions onlyNames;
  onlyNames.contents.names = true;
  const auto named = readXlsxWorkbook(file.string(), onlyNames);
  EXPECT_EQ(named->contents().names.size(), 3u);
  EXPECT_TRUE(named->sheet(1).contents().notes.empty());
  EXPECT_TRUE(named->contents().read.names && !named->contents().read.notes);
}
}  // namespace
}  // namespace quill
