// What the .xls reader reads besides cells' values: notes, defined names, hidden sheets,
// rows and columns, merged ranges and formats, checked against xlrd's view of the same
// files and on hand-built records for the bounds.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "formats/contents_listing.h"
#include "formats/xls/xls_reader.h"
#include "formats/xls/xls_test_support.h"
#include "support/cli_runner.h"
#include "support/corpus.h"

namespace quill::xls::test {
namespace {

namespace fs = std::filesystem;

const fs::path kFixtures = fs::path(QUILLMERE_TEST_DATA) / "xls";
const fs::path kOracle = fs::path(QUILLMERE_TEST_DATA) / "xls_contents_oracle.py";

bool oraclePresent() {
  return ::quill::test::runCommandLine("/usr/bin/python3 -c 'import xlrd' 2>/dev/null").exitCode ==
         0;
}

// xlrd's listing of the file; nullopt when xlrd cannot read it.
std::optional<std::string> oracleListing(const fs::path& file) {
  const auto run = ::quill::test::runCommandLine("/usr/bin/python3 '" + kOracle.string() + "' '" +
                                                 file.string() + "' 2>/dev/null");
  if (run.exitCode != 0) return std::nullopt;
  return run.output;
}

ReadOptions allContents() {
  ReadOptions options;
  options.contents = ContentsToRead::all();
  options.contents.macros = false;
  return options;
}

std::string ourListing(const fs::path& file) {
  return ::quill::test::contentsListing(*readXlsWorkbook(file.string(), allContents()));
}

// xlrd leaves out the spaces a formula's author typed between its parts.
std::string withoutSpaces(std::string text) {
  std::erase(text, ' ');
  return text;
}

// Our listing with the formulas of the names that xlrd cannot render ("=?") put as "=?",
// and those that differ from xlrd's only in spaces put as xlrd's.
std::string withUnrenderedNames(const std::string& ours, const std::string& oracle) {
  std::istringstream ourLines(ours), oracleLines(oracle);
  std::string out, mine, theirs;
  while (std::getline(ourLines, mine)) {
    if (std::getline(oracleLines, theirs) && theirs.starts_with("name ") &&
        ((theirs.ends_with("|=?") && mine.starts_with(theirs.substr(0, theirs.size() - 1))) ||
         withoutSpaces(mine) == withoutSpaces(theirs)))
      mine = theirs;
    out += mine + "\n";
  }
  return out;
}

TEST(XlsContents, OurFixturesAgreeWithAnIndependentReader) {
  if (!oraclePresent()) GTEST_SKIP() << "python3-xlrd is missing";
  for (const char* file : {"contents.xls", "contents_biff5.xls"}) {
    SCOPED_TRACE(file);
    const auto expected = oracleListing(kFixtures / file);
    ASSERT_TRUE(expected.has_value());
    EXPECT_EQ(ourListing(kFixtures / file), *expected);
  }
}

TEST(XlsContents, EachKindIsReadWhereTheFixtureHoldsIt) {
  auto workbook = readXlsWorkbook((kFixtures / "contents.xls").string(), allContents());
  const SheetContents& data = workbook->storedSheet(1).contents();
  ASSERT_EQ(data.notes.size(), 2u);
  EXPECT_EQ(data.notes[1].author, "Grace Hopper");
  EXPECT_EQ(data.notes[1].text, "Second line\nof a note");
  EXPECT_EQ(data.hiddenRows, (std::vector<LineSpan>{{3, 4}, {9, 9}}));
  EXPECT_EQ(data.hiddenColumns, (std::vector<LineSpan>{{2, 2}}));
  EXPECT_EQ(data.merged, (std::vector<Area>{{1, 1, 1, 3}, {5, 5, 7, 6}}));
  EXPECT_EQ(workbook->storedSheet(4).contents().visibility, SheetVisibility::VeryHidden);
  const WorkbookContents& book = workbook->contents();
  EXPECT_TRUE(book.read.notes && book.read.names && book.read.formats);
  EXPECT_EQ(book.formats[0].numberFormat, "General");
  EXPECT_FALSE(book.formats[0].bold);
}

TEST(XlsContents, APlainReadReadsNothingBesidesTheCells) {
  auto workbook = readXlsWorkbook((kFixtures / "contents.xls").string());
  const WorkbookContents& book = workbook->contents();
  EXPECT_FALSE(book.read.any());
  EXPECT_TRUE(book.names.empty());
  EXPECT_TRUE(book.formats.empty());
  EXPECT_EQ(::quill::test::contentsListing(*workbook).find("note "), std::string::npos);
}

TEST(XlsContents, OnlyTheKindsAskedForAreRead) {
  ReadOptions options;
  options.contents.merged = true;
  auto workbook = readXlsWorkbook((kFixtures / "contents.xls").string(), options);
  const SheetContents& data = workbook->storedSheet(1).contents();
  EXPECT_EQ(data.merged.size(), 2u);
  EXPECT_TRUE(data.notes.empty());
  EXPECT_TRUE(data.hiddenRows.empty());
  EXPECT_TRUE(data.formats.empty());
  EXPECT_TRUE(workbook->contents().names.empty());
  EXPECT_TRUE(workbook->contents().read.merged);
  EXPECT_FALSE(workbook->contents().read.formats);
}

TEST(XlsContentsCorpus, EveryFileXlrdReadsAgreesWithIt) {
  SKIP_WITHOUT_CORPUS();
  if (!oraclePresent()) GTEST_SKIP() << "python3-xlrd is missing";
  int compared = 0;
  for (const auto& entry : fs::recursive_directory_iterator(::quill::test::kCorpus)) {
    if (entry.path().extension() != ".xls") continue;
    const auto expected = oracleListing(entry.path());
    if (!expected) continue;  // damaged on purpose, or a version xlrd does not read
    SCOPED_TRACE(entry.path().string());
    std::string ours;
    try {
      ours = ourListing(entry.path());
    } catch (const WorkbookError& error) {
      ADD_FAILURE() << "xlrd reads it but we do not: " << error.what();
      continue;
    }
    EXPECT_EQ(withUnrenderedNames(ours, *expected), *expected);
    ++compared;
  }
  EXPECT_GT(compared, 10);
}

}  // namespace
}  // namespace quill::xls::test
