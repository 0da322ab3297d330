#include <gtest/gtest.h>

#include <charconv>
#include <filesystem>
#include <string>
#include <vector>

#include "formats/ods/ods_test_support.h"
#include "sheet/cell_text.h"
#include "formats/xlsx/xlsx_reader.h"

namespace quill {
namespace {

// A one-sheet .xlsx whose cells hold the given values in column A (style 0, General) and
// column B (style 1, a date format), one value per row.
void writeNumbersWorkbook(const std::filesystem::path& path, const std::vector<std::string>& values,
                          bool date1904) {
  std::string rows;
  for (std::size_t i = 0; i < values.size(); ++i) {
    const std::string row = std::to_string(i + 1);
    rows += "<row r=\"" + row + "\"><c r=\"A" + row + "\"><v>" + values[i] + "</v></c><c r=\"B" +
            row + "\" s=\"1\"><v>" + values[i] + "</v></c></row>";
  }
  const std::string relsNs = "http://schemas.openxmlformats.org/package/2006/relationships";
  const std::string docNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
  const std::string mainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
  test::writeZip(
      path,
      {{"[Content_Types].xml",
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" "
        "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/></Types>"},
       {"_rels/.rels", "<Relationships xmlns=\"" + relsNs + "\"><Relationship Id=\"rId1\" Type=\"" +
                           docNs +
                           "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
       {"xl/workbook.xml", "<workbook xmlns=\"" + mainNs + "\" xmlns:r=\"" + docNs + "\">" +
                               (date1904 ? "<workbookPr date1904=\"1\"/>" : "") +
                               "<sheets><sheet name=\"N\" sheetId=\"1\" r:id=\"rId1\"/></sheets>"
                               "</workbook>"},
       {"xl/_rels/workbook.xml.rels",
        "<Relationships xmlns=\"" + relsNs + "\"><Relationship Id=\"rId1\" Type=\"" + docNs +
            "/worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" Type=\"" +
            docNs + "/styles\" Target=\"styles.xml\"/></Relationships>"},
       {"xl/styles.xml", "<styleSheet xmlns=\"" + mainNs +
                             "\"><numFmts><numFmt numFmtId=\"164\" formatCode=\"dd/mm/yyyy\"/>"
                             "</numFmts><cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"164\"/>"
                             "</cellXfs></styleSheet>"},
       {"xl/worksheets/sheet1.xml",
        "<worksheet xmlns=\"" + mainNs + "\"><sheetData>" + rows + "</sheetData></worksheet>"}});
}

// The shortcuts the reader takes for plain numbers and whole-day dates must give exactly
// the texts of the full conversions, for repeated days, days that share a slot of the
// day cache, and every value the shortcuts must leave to the full conversion.
TEST(XlsxNumberPaths, ShortcutsGiveTheTextsOfTheFullConversions) {
  const std::vector<std::string> values = {"45000",    "49096",   "45000",    "49096",
                                           "0",        "1",       "60",       "61",
                                           "007",      "9999999", "2958465",  "2958466",
                                           "45000.5",  "0.25",    "-1",       "-0",
                                           "1.50",     "1e5",     "1E+20",    "123456789012345678",
                                           "0.000001", "0.00001", "3504.518", "45000"};
  for (bool date1904 : {false, true}) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("quillmere-number-paths-" + std::to_string(date1904) + ".xlsx");
    writeNumbersWorkbook(path, values, date1904);
    const auto workbook = readXlsxWorkbook(path.string());
    std::filesystem::remove(path);
    const Worksheet& sheet = workbook->sheet(1);
    for (std::size_t i = 0; i < values.size(); ++i) {
      double number = 0;
      std::from_chars(values[i].data(), values[i].data() + values[i].size(), number);
      const long row = long(i) + 1;
      EXPECT_EQ(sheet.cellText(row, 1), numberText(number)) << values[i];
      EXPECT_EQ(sheet.cellText(row, 2), dateOrNumberText(number, date1904))
          << values[i] << (date1904 ? " (1904)" : "");
    }
  }
}

}  // namespace
}  // namespace quill
