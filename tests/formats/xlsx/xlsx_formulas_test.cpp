#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "formats/ods/ods_test_support.h"
#include "formats/workbook_file.h"
#include "support/temporary_folder.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

// A one-sheet .xlsx whose sheetData holds the given rows.
void writeSheet(const fs::path& path, const std::string& rows) {
  const std::string relsNs = "http://schemas.openxmlformats.org/package/2006/relationships";
  const std::string docNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
  const std::string mainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
  test::writeZip(
      path, {{"_rels/.rels", "<Relationships xmlns=\"" + relsNs +
                                 "\"><Relationship Id=\"rId1\" Type=\"" + docNs +
                                 "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
             {"xl/workbook.xml", "<workbook xmlns=\"" + mainNs + "\" xmlns:r=\"" + docNs +
                                     "\"><sheets><sheet name=\"F\" sheetId=\"1\" r:id=\"rId1\"/>"
                                     "</sheets></workbook>"},
             {"xl/_rels/workbook.xml.rels",
              "<Relationships xmlns=\"" + relsNs + "\"><Relationship Id=\"rId1\" Type=\"" + docNs +
                  "/worksheet\" Target=\"worksheets/sheet1.xml\"/></Relationships>"},
             {"xl/worksheets/sheet1.xml", "<worksheet xmlns=\"" + mainNs + "\"><sheetData>" + rows +
                                              "</sheetData></worksheet>"}});
}

// Every formula of the workbook's first sheet as "A1=formula" lines.
std::string formulaListing(const StoredWorkbook& workbook) {
  std::string out;
  workbook.storedSheet(1).formulas().forEach([&](long row, long column, std::string_view text) {
    out += cellAddress(row, column) + "=" + std::string(text) + "\n";
  });
  return out;
}

TEST(XlsxFormulas, PlainSharedAndArrayFormulasAsUsersSeeThem) {
  test::TemporaryFolder folder;
  const fs::path path = folder.path() / "formulas.xlsx";
  writeSheet(
      path,
      // A shared group down column B, and one across row 2 with mixed references.
      "<row r=\"1\"><c r=\"A1\"><v>1</v></c>"
      "<c r=\"B1\"><f t=\"shared\" ref=\"B1:B3\" si=\"0\">A1*$C$1+SUM(A$1:A1)</f><v>1</v></c>"
      "<c r=\"C1\"><f>_xlfn.XLOOKUP(1,A:A,B:B)&amp;\"&lt;x&gt;\"</f><v>1</v></c>"
      // Characters XML cannot hold are escaped in formulas as in texts.
      "<c r=\"G1\"><f>\"a_x000D__x000A_b\"&amp;\"_x005F_x0041_\"</f><v>1</v></c></row>"
      "<row r=\"2\"><c r=\"B2\"><f t=\"shared\" si=\"0\"/><v>2</v></c>"
      "<c r=\"D2\"><f t=\"shared\" ref=\"D2:F2\" si=\"1\">Other!$A1+C2</f><v>3</v></c>"
      "<c r=\"E2\"><f t=\"shared\" si=\"1\"/><v>3</v></c>"
      "<c r=\"F2\"><f t=\"shared\" si=\"1\"/></c></row>"
      "<row r=\"3\"><c r=\"B3\"><f t=\"shared\" si=\"0\"></f><v>3</v></c>"
      // An array formula fills its range, cached values or not; a data table shows none.
      "<c r=\"D3\"><f t=\"array\" ref=\"D3:E4\">A1:B2*2</f><v>2</v></c>"
      "<c r=\"E3\"><v>2</v></c><c r=\"G3\"><f t=\"dataTable\" ref=\"G3\" dt2D=\"0\"/>"
      "<v>0</v></c></row>"
      "<row r=\"4\"><c r=\"D4\"><v>2</v></c><c r=\"F4\"><v>9</v></c></row>"
      "<row r=\"5\"><c r=\"E5\"><v>2</v></c><c r=\"B5\"><f t=\"shared\" si=\"7\"/></c></row>");
  const auto workbook = readWorkbookFile(path.string(), ReadOptions{true});
  EXPECT_EQ(formulaListing(*workbook),
            "B1==A1*$C$1+SUM(A$1:A1)\n"
            "C1==XLOOKUP(1,A:A,B:B)&\"<x>\"\n"
            "G1==\"a\r\nb\"&\"_x0041_\"\n"
            "B2==A2*$C$1+SUM(A$1:A2)\n"
            "D2==Other!$A1+C2\n"
            "E2==Other!$A1+D2\n"
            "F2==Other!$A1+E2\n"
            "B3==A3*$C$1+SUM(A$1:A3)\n"
            "D3={=A1:B2*2}\n"
            "E3={=A1:B2*2}\n"
            "D4={=A1:B2*2}\n");
  EXPECT_EQ(workbook->sheet(1).cellFormula(2, 5), "=Other!$A1+D2");
  EXPECT_EQ(workbook->sheet(1).cellText(2, 6), "");  // a formula without a cached value

  // Read for values only, the same file keeps no formulas and the same texts.
  const auto values = readWorkbookFile(path.string());
  EXPECT_TRUE(values->storedSheet(1).formulas().empty());
  EXPECT_EQ(test::cellListing(*values), test::cellListing(*workbook));
}

// The formula workbooks of the corpus read with their formulas without a fault.
TEST(XlsxFormulas, CorpusFormulaWorkbooksRead) {
  const fs::path calamine = fs::path(QUILLMERE_CORPUS) / "calamine";
  if (!fs::is_directory(calamine))
    GTEST_SKIP() << "the workbook corpus is not present at " << calamine.string();
  for (const char* name : {"shared_formula_simple.xlsx", "shared_formula_reversed.xlsx",
                           "shared_formula_bench.xlsx", "formula.issue.xlsx"}) {
    SCOPED_TRACE(name);
    const auto workbook = readWorkbookFile((calamine / name).string(), ReadOptions{true});
    EXPECT_FALSE(workbook->storedSheet(1).formulas().empty());
  }
  const auto bench =
      readWorkbookFile((calamine / "shared_formula_bench.xlsx").string(), ReadOptions{true});
  EXPECT_EQ(bench->sheet(1).cellFormula(100, 2), "=A100*2");
}

}  // namespace
}  // namespace quill
