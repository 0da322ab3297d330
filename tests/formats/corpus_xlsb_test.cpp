#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>

#include "formats/ods/ods_test_support.h"
#include "formats/workbook_file.h"
#include "support/corpus.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

const fs::path kCalamine = fs::path(QUILLMERE_CORPUS) / "calamine";

// The cells of each sheet, by sheet name: the same content whatever the tab order.
std::map<std::string, std::string> cellsBySheet(const StoredWorkbook& workbook) {
  std::map<std::string, std::string> sheets;
  for (std::size_t i = 1; i <= workbook.sheetCount(); ++i) {
    const StoredSheet& sheet = workbook.storedSheet(i);
    std::string& cells = sheets[sheet.name()];
    sheet.forEachCell([&](long row, long column, std::string_view text) {
      cells += cellAddress(row, column) + "=" + test::escapedText(text) + "\n";
    });
  }
  return sheets;
}

// The binary workbooks of the corpus saved also as .xlsx give the same cells as their twin.
// issues.xlsx lists its sheet "Sheet1" second where issues.xlsb lists it third, so for that
// pair the sheets are compared by name and the tab order apart.
TEST(CorpusXlsb, BinaryWorkbooksGiveTheCellsOfTheirXlsxTwins) {
  SKIP_WITHOUT_CORPUS();
  for (const char* name :
       {"any_sheets", "date", "date_1904", "issue127", "issue_419", "issues", "picture"}) {
    SCOPED_TRACE(name);
    const auto binary = readWorkbookFile((kCalamine / (std::string(name) + ".xlsb")).string());
    const auto xml = readWorkbookFile((kCalamine / (std::string(name) + ".xlsx")).string());
    if (std::string(name) == "issues") {
      EXPECT_EQ(cellsBySheet(*binary), cellsBySheet(*xml));
      EXPECT_EQ(binary->sheet(3).name(), "Sheet1");
    } else {
      EXPECT_EQ(test::cellListing(*binary), test::cellListing(*xml));
    }
  }
}

// A workbook without a twin whose cells all hold formulas: their cached results are read.
TEST(CorpusXlsb, FormulaCellsGiveTheirCachedResults) {
  SKIP_WITHOUT_CORPUS();
  const auto workbook = readWorkbookFile((kCalamine / "issue_182.xlsb").string());
  EXPECT_EQ(test::cellListing(*workbook),
            "formula_vals!A1=3\nformula_vals!A2=Ab\nformula_vals!A3=False\n");
}

TEST(CorpusXlsb, EveryBinaryWorkbookOpensOrIsRefusedInOneLine) {
  SKIP_WITHOUT_CORPUS();
  std::size_t seen = 0;
  for (const auto& entry : fs::recursive_directory_iterator(kCalamine.parent_path())) {
    if (entry.path().extension() != ".xlsb") continue;
    ++seen;
    SCOPED_TRACE(entry.path().string());
    try {
      readWorkbookFile(entry.path().string());
      EXPECT_NE(entry.path().filename(), "pass_protected.xlsb") << "opened";
    } catch (const WorkbookError& error) {
      const std::string message = error.what();
      EXPECT_EQ(entry.path().filename(), "pass_protected.xlsb") << message;
      EXPECT_NE(message.find(entry.path().string()), std::string::npos) << message;
      EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    }
  }
  EXPECT_GE(seen, 11u);
}

}  // namespace
}  // namespace quill
