#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "sheet/address.h"
#include "formats/workbook_file.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

const fs::path kFormulaData = fs::path(QUILLMERE_TEST_DATA) / "formulas";
const fs::path kCorpus = fs::path(QUILLMERE_CORPUS) / "calamine";

using FormulaMap = std::map<std::string, std::string>;  // "Sheet!A1" to "=formula"

FormulaMap readFormulas(const fs::path& path) {
  ReadOptions options;
  options.formulas = true;
  const auto workbook = readWorkbookFile(path.string(), options);
  FormulaMap formulas;
  for (std::size_t i = 1; i <= workbook->sheetCount(); ++i) {
    const StoredSheet& sheet = workbook->storedSheet(i);
    sheet.formulas().forEach([&](long row, long column, std::string_view formula) {
      formulas[sheet.name() + "!" + cellAddress(row, column)] = std::string(formula);
    });
  }
  return formulas;
}

// What the conversion by ssconvert itself changes in the .xls and .ods it writes from the
// .xlsx, by cell: the formula each converted file holds instead of the original's.
struct ConversionChange {
  const char* cell;
  const char* xls;  // nullptr when the .xls keeps the original formula
  const char* ods;  // nullptr when the .ods keeps it
};

const ConversionChange kConversionChanges[] = {
    // The .xlsx written holds no cell elements for the array range's other cells; the
    // converted files give every cell of the range.
    {"Calc!F3", "{=C1:C3*2}", "{=C1:C3*2}"},
    {"Calc!F4", "{=C1:C3*2}", "{=C1:C3*2}"},
    // The number is written out in full in the .ods.
    {"Calc!B32", nullptr, "=0.5+100000000000000000000"},
    // CONCATENATE is written as the newer CONCAT in the .ods.
    {"Calc!B38", nullptr, "=UPPER(LOWER(TRIM(\" x \")))&CONCAT(\"a\",\"b\")&TEXT(C1,\"0.00\")"},
    // SUMPRODUCT gets Gnumeric's own namespace in the .ods.
    {"Calc!B42", nullptr,
     "=SUMIF(C1:C3,\">1\")+COUNTIF(C1:C3,\">1\")+ORG.GNUMERIC.SUMPRODUCT(C1:C3,C1:C3)"},
    // The .xls exporter drops the arguments of the newer SUMIFS (it warns so).
    {"Calc!B47", "=NOW()-TODAY()+IFERROR(1/0,0)+SUMIFS()", nullptr},
};

FormulaMap expectedAfterConversion(FormulaMap formulas, bool xls) {
  for (const ConversionChange& change : kConversionChanges)
    if (const char* text = xls ? change.xls : change.ods) formulas[change.cell] = text;
  return formulas;
}

TEST(FormulaFiles, XlsAndOdsGiveTheFormulasOfTheXlsxTheyWereConvertedFrom) {
  const FormulaMap original = readFormulas(kFormulaData / "formulas.xlsx");
  ASSERT_GT(original.size(), 50u);
  EXPECT_EQ(original.at("Calc!B23"), "=Prices!$C$1*Prices!A1");
  EXPECT_EQ(original.at("Calc!B25"), "=SUM(Prices:Third!A1)");
  EXPECT_EQ(original.at("Calc!E5"), "=C4*2+$D$1");
  EXPECT_EQ(readFormulas(kFormulaData / "formulas.xls"), expectedAfterConversion(original, true));
  EXPECT_EQ(readFormulas(kFormulaData / "formulas.ods"), expectedAfterConversion(original, false));
}

// The older binary version holds the same tokens in narrower fields; the call of a newer
// function is named through a defined name there, which is marked rather than guessed.
TEST(FormulaFiles, Biff5GivesTheFormulasOfItsBiff8Twin) {
  FormulaMap expected = readFormulas(kFormulaData / "formulas.xls");
  expected["Calc!B47"] = "[unreadable formula: a defined name of a version before BIFF8]";
  EXPECT_EQ(readFormulas(kFormulaData / "formulas_biff5.xls"), expected);
}

TEST(FormulaFiles, AreNotReadUnlessAskedFor) {
  for (const char* file : {"formulas.xlsx", "formulas.xls", "formulas.ods"}) {
    const auto workbook = readWorkbookFile((kFormulaData / file).string());
    EXPECT_EQ(workbook->sheet(1).cellFormula(4, 2), "") << file;
    // The .xlsx as written holds no cached results; its converted twins do.
    if (!std::string_view(file).ends_with(".xlsx")) {
      EXPECT_EQ(workbook->sheet(1).cellText(4, 2), "4") << file;
    }
  }
}

// Binary workbooks saved beside their .xlsx twins give the same formulas.
TEST(FormulaFiles, CorpusBinaryWorkbooksMatchTheirXlsxTwins) {
  if (!fs::exists(kCorpus)) GTEST_SKIP() << "the shared corpus is absent: " << kCorpus;
  for (const char* name :
       {"any_sheets", "date", "date_1904", "issue127", "issue_419", "issues", "picture"}) {
    const fs::path xlsb = kCorpus / (std::string(name) + ".xlsb");
    const fs::path xlsx = kCorpus / (std::string(name) + ".xlsx");
    if (!fs::exists(xlsb) || !fs::exists(xlsx)) continue;
    EXPECT_EQ(readFormulas(xlsb), readFormulas(xlsx)) << name;
  }
  EXPECT_EQ(readFormulas(kCorpus / "issues.xlsb").at("Sheet1!A2"), "=B1+OneRange");
}

TEST(FormulaFiles, CorpusFormulaWorkbooksReadWithoutFault) {
  if (!fs::exists(kCorpus)) GTEST_SKIP() << "the shared corpus is absent: " << kCorpus;
  const std::map<std::string, std::pair<std::string, std::string>> samples = {
      {"shared_formula_simple.xlsx", {"Sheet1!B3", "=A3*2"}},
      {"shared_formula_reversed.xlsx", {"Sheet1!B5", "=A5"}},
      {"shared_formula_bench.xlsx", {"Sheet1!B6", "=A6*2"}},
      {"formula.issue.xlsx", {"Sheet1!G13", "=SUM(1+1)"}},
      {"xls_formula.xls", {"Sheet1!A3", "=2*Sheet2!A1"}},
      {"xls_formula_columns_beyond_z.xls", {"Sheet1!A2", "=AA1+AB1"}},
      // BIFF5 tokens, with their narrower references.
      {"issue_643_biff5_formula.xls", {"SheetJS!B4", "=$A$1"}},
  };
  for (const auto& [file, sample] : samples) {
    FormulaMap formulas;
    ASSERT_NO_THROW(formulas = readFormulas(kCorpus / file)) << file;
    EXPECT_EQ(formulas[sample.first], sample.second) << file;
  }
}

}  // namespace
}  // namespace quill
