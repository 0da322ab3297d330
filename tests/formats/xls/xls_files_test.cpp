// The .xls reader on whole files: fixtures converted from our own workbooks, and the
// corpus of files written by many applications, some damaged on purpose.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "formats/workbook_file.h"
#include "formats/xls/xls_reader.h"
#include "formats/xls/xls_test_support.h"
#include "support/corpus.h"

namespace quill::xls::test {
namespace {

namespace fs = std::filesystem;

const fs::path kFixtures = fs::path(QUILLMERE_TEST_DATA) / "xls";
using ::quill::test::kCorpus;

std::string longText() {
  std::string text = "Inventory note ";
  for (int i = 0; i < 900; ++i) text += "abcdefghij";
  return text + " \u20ac end";
}

// The cells of kinds.xls; greek is the text its Greek cell holds.
std::string kindsListing(const std::string& greek) {
  std::string wide;
  for (int column = 2; column < 12; ++column)
    wide +=
        "Kinds!" + std::string(1, char('A' + column)) + "23=" + std::to_string(column * 100) + "\n";
  return "Kinds!A1=text\nKinds!B1=Widget\nKinds!A2=padded\nKinds!B2=padded text\n"
         "Kinds!A3=accents\nKinds!B3=Caf\u00e9 cr\u00e8me\nKinds!A4=greek\nKinds!B4=" +
         greek +
         "\nKinds!A5=integer\nKinds!B5=42\nKinds!A6=negative\nKinds!B6=-7.25\n"
         "Kinds!A7=large\nKinds!B7=1.5E+20\nKinds!A8=small\nKinds!B8=0.00001\n"
         "Kinds!A9=fraction\nKinds!B9=0.3\nKinds!A10=true\nKinds!B10=True\n"
         "Kinds!A11=false\nKinds!B11=False\nKinds!A12=date\nKinds!B12=2026-12-07\n"
         "Kinds!A13=stamp\nKinds!B13=2026-12-07 15:30:00\nKinds!A14=clock\nKinds!B14=06:00:00\n"
         "Kinds!A15=custom\nKinds!B15=3\nKinds!A16=sum\nKinds!B16=50\n"
         "Kinds!A17=joined\nKinds!B17=abcd\nKinds!A18=compare\nKinds!B18=True\n"
         "Kinds!A19=divide\nKinds!B19=Error 2007\nKinds!A20=missing\nKinds!B20=Error 2042\n"
         "Kinds!A21=blank\nKinds!A22=long\nKinds!B22=" +
         longText() + "\nKinds!A23=wide\n" + wide + "Second sheet!C3=far corner\nHidden!A1=kept\n";
}

TEST(XlsFiles, EveryKindOfValueInBiff8Biff5AndAFileWithBothStreams) {
  const std::string greek = "\u0391\u03b8\u03ae\u03bd\u03b1";
  struct Case {
    const char* file;
    std::string greek;
  };
  // BIFF5 has no Unicode: the converter wrote the Greek letters as "?".
  for (const Case& c : {Case{"kinds.xls", greek}, Case{"kinds_biff5.xls", "?????"},
                        Case{"kinds_both_streams.xls", greek}}) {
    SCOPED_TRACE(c.file);
    auto workbook = readXlsWorkbook((kFixtures / c.file).string());
    EXPECT_EQ(listing(*workbook), kindsListing(c.greek));
    EXPECT_EQ(workbook->sheet(2).usedArea(), (Area{3, 3, 3, 3}));
  }
}

TEST(XlsFiles, A1904WorkbookCountsFromItsOwnEpoch) {
  auto workbook = readXlsWorkbook((kFixtures / "dates1904.xls").string());
  EXPECT_EQ(listing(*workbook),
            "Dates!A1=2026-12-07\nDates!A2=00:00:00\nDates!A3=06:00:00\n"
            "Dates!A4=1904-01-02 12:00:00\nDates!A5=1.5\n");
}

TEST(XlsFiles, TheWorkbookEntryPointReadsXlsFiles) {
  const std::string path = (kFixtures / "kinds.xls").string();
  EXPECT_EQ(listing(*readWorkbookFile(path)), listing(*readXlsWorkbook(path)));
}

TEST(XlsFiles, FailuresNameTheFile) {
  const std::string missing = (kFixtures / "no such file.xls").string();
  EXPECT_THROW(
      {
        try {
          readXlsWorkbook(missing);
        } catch (const WorkbookError& error) {
          EXPECT_EQ(std::string(error.what()).rfind("\"" + missing + "\": ", 0), 0u)
              << error.what();
          throw;
        }
      },
      WorkbookError);
  const std::string notXls = (fs::path(QUILLMERE_TEST_DATA) / "make_xls_fixtures.py").string();
  EXPECT_THROW(readXlsWorkbook(notXls), WorkbookError);
}

std::vector<fs::path> corpusXlsFiles() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(kCorpus)) {
    std::string extension = entry.path().extension().string();
    for (char& ch : extension) ch = char(std::tolower(static_cast<unsigned char>(ch)));
    if (entry.is_regular_file() && extension == ".xls") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

TEST(XlsCorpus, EveryFileOpensOrFailsWithOneLineNamingIt) {
  SKIP_WITHOUT_CORPUS();
  const std::vector<fs::path> files = corpusXlsFiles();
  ASSERT_FALSE(files.empty());
  int opened = 0;
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.string());
    try {
      auto workbook = readXlsWorkbook(file.string());
      ++opened;
      for (std::size_t i = 1; i <= workbook->sheetCount(); ++i) workbook->sheet(i).usedArea();
    } catch (const WorkbookError& error) {
      const std::string message = error.what();
      EXPECT_EQ(message.rfind("\"" + file.string() + "\": ", 0), 0u) << message;
      EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    }
  }
  // Nearly all of them are sound files; only a few are damaged or protected.
  EXPECT_GE(opened, int(files.size()) - 5);
}

TEST(XlsCorpus, FilesFromOtherApplicationsGiveTheirValues) {
  SKIP_WITHOUT_CORPUS();
  auto text = [](const char* file, std::size_t sheet, long row, long column) {
    auto workbook = readXlsWorkbook((kCorpus / file).string());
    return std::string(workbook->sheet(sheet).cellText(row, column));
  };
  EXPECT_EQ(text("calamine/date.xls", 1, 1, 1), "2021-01-01");
  EXPECT_EQ(text("calamine/date_1904.xls", 1, 3, 1), "1904-01-11 15:10:10");
  EXPECT_EQ(text("calamine/any_sheets.xls", 1, 1, 2), "2");

  auto hidden = readXlsWorkbook((kCorpus / "calamine/any_sheets.xls").string());
  ASSERT_EQ(hidden->sheetCount(), 3u);  // the chart sheet is left out
  EXPECT_EQ(hidden->sheet(2).name(), "Hidden");
  EXPECT_EQ(hidden->sheet(3).name(), "VeryHidden");

  auto biff4 = readXlsWorkbook((kCorpus / "xlrd/biff4_no_format_no_window2.xls").string());
  ASSERT_EQ(biff4->sheetCount(), 1u);
  EXPECT_EQ(biff4->sheet(1).name(), "biff4_no_format_no_window2");
  EXPECT_EQ(listing(*readWorkbookFile((kCorpus / "xlrd/biff4_no_format_no_window2.xls").string())),
            listing(*biff4));

  // Encrypted with the default password, which opens it without asking.
  auto defaultPassword = readXlsWorkbook((kCorpus / "calamine/issue_385.xls").string());
  ASSERT_EQ(defaultPassword->sheetCount(), 1u);
  EXPECT_EQ(defaultPassword->sheet(1).name(), "Sheet1");
}

}  // namespace
}  // namespace quill::xls::test
