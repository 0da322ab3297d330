#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "formats/workbook_file.h"
#include "support/corpus.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

using ::quill::test::kCorpus;

bool isOpenXmlWorkbookName(const fs::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char ch) { return char(std::tolower(ch)); });
  return extension == ".xlsx" || extension == ".xlsm" || extension == ".xltx" ||
         extension == ".xltm";
}

std::vector<fs::path> corpusOpenXmlWorkbooks() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(kCorpus))
    if (entry.is_regular_file() && isOpenXmlWorkbookName(entry.path()))
      files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

// Of the corpus, only a password-protected package and one with a garbled part may be refused.
TEST(CorpusXlsx, EveryWorkbookOpensOrIsRefusedInOneLine) {
  SKIP_WITHOUT_CORPUS();
  const std::set<std::string> refusable = {"pass_protected.xlsx", "issue252.xlsx"};
  const auto files = corpusOpenXmlWorkbooks();
  ASSERT_FALSE(files.empty());
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.string());
    try {
      auto workbook = readWorkbookFile(file.string());
      EXPECT_FALSE(refusable.count(file.filename().string())) << "opened";
    } catch (const WorkbookError& error) {
      const std::string message = error.what();
      EXPECT_TRUE(refusable.count(file.filename().string())) << message;
      EXPECT_NE(message.find(file.string()), std::string::npos) << message;
      EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    }
  }
}

struct KnownCell {
  const char* file;
  std::size_t sheet;
  const char* address;
  const char* text;
};

// Values as the writing application shows them, checked against a second reader.
TEST(CorpusXlsx, KnownCellTexts) {
  SKIP_WITHOUT_CORPUS();
  const std::vector<KnownCell> cells = {
      {"calamine/date.xlsx", 1, "A1", "2021-01-01"},
      {"calamine/date.xlsx", 1, "A3", "1900-01-10 15:10:10"},
      {"calamine/date.xlsx", 1, "B3", "17"},
      {"calamine/date_1904.xlsx", 1, "A3", "1904-01-11 15:10:10"},
      {"calamine/date_iso.xlsx", 1, "A2", "2021-01-01 10:10:10"},
      {"calamine/date_iso.xlsx", 1, "A3", "10:10:10"},
      {"calamine/errors.xlsx", 1, "A1", "Error 2007"},
      {"calamine/errors.xlsx", 1, "A7", "Error 2042"},
      {"calamine/has_x000D_.xlsx", 1, "A1", "ABC\r\nDEF"},
      {"calamine/rph.xlsx", 1, "A1",
       "\xE8\xAA\xB2\xE3\x81\x8D\xE3\x81\x8F\xE3\x80\x80\xE6\xAF\x9B"
       "\xE3\x81\x93"},
      {"calamine/inlineStr_with_value.xlsx", 1, "D2", "1."},
      {"calamine/whitespace_trim.xlsx", 1, "B1", "\t\n value with tabs \n"},
      {"calamine/issue_530.xlsx", 1, "B1", "\xE4\xBA\x8E\xE5\x9B\xBD\xE6\xA0\x8B"},
      {"calamine/strict_iso_paths.xlsx", 1, "C1", "Number Off Bends"},
      {"calamine/any_sheets.xlsx", 1, "B3", "6"},
      {"calamine/issues.xlsx", 1, "A6", "2016-10-20"},
  };
  for (const KnownCell& cell : cells) {
    SCOPED_TRACE(std::string(cell.file) + " " + cell.address);
    auto workbook = readWorkbookFile((kCorpus / cell.file).string());
    const Range range = workbook->sheet(cell.sheet).range(cell.address);
    EXPECT_EQ(workbook->sheet(cell.sheet)
                  .cellText(range.firstArea().firstRow, range.firstArea().firstColumn),
              cell.text);
  }
}

TEST(CorpusXlsx, ChartSheetsAreNoWorksheets) {
  SKIP_WITHOUT_CORPUS();
  auto workbook = readWorkbookFile((kCorpus / "calamine/any_sheets.xlsx").string());
  std::vector<std::string> names;
  for (std::size_t i = 1; i <= workbook->sheetCount(); ++i)
    names.push_back(workbook->sheet(i).name());
  EXPECT_EQ(names, (std::vector<std::string>{"Visible", "Hidden", "VeryHidden"}));
}

}  // namespace
}  // namespace quill
