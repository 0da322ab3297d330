#include <gtest/gtest.h>

#include "formats/ods/ods_reader.h"
#include "formula/open_formula.h"
#include "formats/ods/ods_test_support.h"
#include "support/temporary_folder.h"

namespace quill {
namespace {

struct FormulaCase {
  const char* what;
  const char* stored;
  const char* shown;
};

class OpenFormulaTest : public testing::TestWithParam<FormulaCase> {};

TEST_P(OpenFormulaTest, ShowsTheFormulaBarText) {
  EXPECT_EQ(ods::openFormulaToA1(GetParam().stored), GetParam().shown) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, OpenFormulaTest,
    testing::Values(
        FormulaCase{"range and absolute cell of another sheet", "of:=SUM([.B2:.B9])*[$Prices.$C$1]",
                    "=SUM(B2:B9)*Prices!$C$1"},
        FormulaCase{"mixed references", "of:=[.$A1]+[.A$1]", "=$A1+A$1"},
        FormulaCase{"argument separators", "of:=IF([.A1]>0;\"yes\";\"no\")",
                    "=IF(A1>0,\"yes\",\"no\")"},
        FormulaCase{"string with quotes, brackets and separators kept",
                    "of:=\"say \"\"[.A1];|~\"\"\"&[.B1]", "=\"say \"\"[.A1];|~\"\"\"&B1"},
        FormulaCase{"quoted sheet name needing quotes", "of:=['My Sheet'.A1]", "='My Sheet'!A1"},
        FormulaCase{"quoted sheet name not needing them", "of:=[$'Data'.A1]", "=Data!A1"},
        FormulaCase{"sheet name with a quote", "of:=['It''s'.A1]", "='It''s'!A1"},
        FormulaCase{"sheet name that reads as a cell", "of:=[$AB12.A1]", "='AB12'!A1"},
        FormulaCase{"range on one sheet", "of:=SUM([Data.A1:Data.B2])", "=SUM(Data!A1:B2)"},
        FormulaCase{"range over sheets", "of:=SUM([$Jan.A1:$Mar.B2])", "=SUM(Jan:Mar!A1:B2)"},
        FormulaCase{"whole columns and rows", "of:=SUM([.A:.C])+SUM([.$2:.$4])",
                    "=SUM(A:C)+SUM($2:$4)"},
        FormulaCase{"cell over sheets named once", "of:=SUM([$Jan.A1:$Mar.A1])",
                    "=SUM(Jan:Mar!A1)"},
        FormulaCase{"every row or every column", "of:=SUM([.C$1:.C$1048576])+SUM([.$A1:.$XFD2])",
                    "=SUM(C:C)+SUM(1:2)"},
        FormulaCase{"logical constants", "of:=IF(TRUE();FALSE())", "=IF(TRUE,FALSE)"},
        FormulaCase{"array literal rows", "of:={1;2|3;4}", "={1,2;3,4}"},
        FormulaCase{"union and intersection", "of:=SUM(([.A1:.B2]~[.D4]))+SUM([.A1:.C3]![.B2:.D4])",
                    "=SUM((A1:B2,D4))+SUM(A1:C3 B2:D4)"},
        FormulaCase{"error literals keep their marks", "of:=IF(ISNA([.A1]);#N/A;#DIV/0!)",
                    "=IF(ISNA(A1),#N/A,#DIV/0!)"},
        FormulaCase{"deleted reference", "of:=[.#REF!#REF!]+1", "=#REF!+1"},
        FormulaCase{"vendor function prefix", "of:=COM.MICROSOFT.CONCAT([.A1];[.B1])",
                    "=CONCAT(A1,B1)"},
        FormulaCase{"A1-style formula keeps its text", "msoxl:=SUM(A1:A3)", "=SUM(A1:A3)"},
        FormulaCase{"formula without a namespace", "=[.A1]*2", "=A1*2"},
        FormulaCase{"empty formula", "of:=", ""},
        FormulaCase{"unclosed bracket does not run past the end", "of:=[.A1", "=A1"}));

// Reads a one-sheet workbook with or without formulas and lists A1-ish formula cells.
std::string readFormulas(const std::string& rows, bool formulas) {
  test::TemporaryFolder folder;
  const auto path = folder.path() / "book.ods";
  test::writeOds(path,
                 test::odsContent(R"(<table:table table:name="S">)" + rows + "</table:table>"));
  ReadOptions options;
  options.formulas = formulas;
  auto workbook = readOdsWorkbook(path.string(), options);
  std::string listing;
  const auto& sheet = workbook->sheet(1);
  for (long row = 1; row <= 3; ++row)
    for (long column = 1; column <= 3; ++column)
      if (auto formula = sheet.cellFormula(row, column); !formula.empty())
        listing +=
            std::to_string(row) + "," + std::to_string(column) + " " + std::string(formula) + "\n";
  return listing;
}

const std::string kFormulaRows =
    R"(<table:table-row><table:table-cell table:formula="of:=[.B1]*2" office:value-type="float")"
    R"( office:value="4"/><table:table-cell office:value-type="float" office:value="2"/>)"
    R"(<table:table-cell table:formula="of:=&quot;&quot;"/></table:table-row>)"
    R"(<table:table-row table:number-rows-repeated="2"><table:table-cell)"
    R"( table:formula="of:=[.A1]" table:number-columns-repeated="2"/></table:table-row>)";

TEST(OdsFormulas, AreReadOnlyWhenAskedForAndRepeatWithTheirCells) {
  EXPECT_EQ(readFormulas(kFormulaRows, false), "");
  EXPECT_EQ(readFormulas(kFormulaRows, true),
            "1,1 =B1*2\n1,3 =\"\"\n2,1 =A1\n2,2 =A1\n3,1 =A1\n3,2 =A1\n");
}

TEST(OdsFormulas, ArrayFormulaFillsItsRangeInBraces) {
  const std::string rows =
      R"~(<table:table-row><table:table-cell table:formula="of:=TRANSPOSE([.C1:.C2])")~"
      R"( table:number-matrix-columns-spanned="1" table:number-matrix-rows-spanned="2")"
      R"( office:value-type="float" office:value="1"/></table:table-row>)"
      R"(<table:table-row><table:table-cell office:value-type="float" office:value="2"/>)"
      R"(</table:table-row>)";
  EXPECT_EQ(readFormulas(rows, true), "1,1 {=TRANSPOSE(C1:C2)}\n2,1 {=TRANSPOSE(C1:C2)}\n");
}

}  // namespace
}  // namespace quill
