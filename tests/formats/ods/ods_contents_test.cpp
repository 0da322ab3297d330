// Notes, names, hidden and merged areas and formats of .ods documents: checked against
// odfpy on a workbook converted with ssconvert, and on hand-written styles.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "formats/ods/ods_reader.h"
#include "formats/ods/ods_test_support.h"
#include "support/cli_runner.h"
#include "support/contents_listing.h"
#include "support/temporary_folder.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

const std::string kContentsData = std::string(QUILLMERE_TEST_DATA) + "/contents";

ReadOptions withContents() {
  ReadOptions options;
  options.contents = ContentsToRead::all();
  return options;
}

std::string withoutFormatLines(const std::string& listing) {
  std::istringstream in(listing);
  std::string out;
  for (std::string line; std::getline(in, line);)
    if (line.rfind("format\t", 0) != 0) out += line + "\n";
  return out;
}

TEST(OdsContents, AgreesWithOdfpyOnAConvertedWorkbook) {
  if (test::runCommandLine("/usr/bin/python3 -c 'import openpyxl, odf' 2>/dev/null").exitCode ||
      test::runCommandLine("command -v ssconvert >/dev/null").exitCode)
    GTEST_SKIP() << "python3-openpyxl, python3-odf or gnumeric is missing";
  test::TemporaryFolder folder;
  const fs::path xlsx = folder.path() / "contents.xlsx", ods = folder.path() / "contents.ods";
  ASSERT_EQ(test::runCommandLine("/usr/bin/python3 '" + kContentsData +
                                 "/write_contents_xlsx.py' '" + xlsx.string() + "' && ssconvert '" +
                                 xlsx.string() + "' '" + ods.string() + "' 2>/dev/null")
                .exitCode,
            0);
  const auto workbook = readOdsWorkbook(ods.string(), withContents());
  const std::string listing = test::contentsListing(*workbook);
  const auto oracle = test::runCommandLine("/usr/bin/python3 '" + kContentsData +
                                           "/contents_oracle.py' '" + ods.string() + "' 2>&1");
  EXPECT_EQ(withoutFormatLines(listing), oracle.output);
  for (const char* kind : {"note\tData!A1\tAnn Author\tfirst line\\nsecond line", "name\tHidden\t",
                           "rows\tData\t3-4", "columns\tData\t3-3", "merged\tData\tD2:E3",
                           "sheet\tVery\thidden", "format\tData!A5\tGeneral\t100\t"})
    EXPECT_NE(listing.find(kind), std::string::npos) << kind;
}

// A content.xml with the given automatic styles and spreadsheet body.
std::string styledContent(const std::string& styles, const std::string& spreadsheet) {
  return R"(<?xml version="1.0" encoding="UTF-8"?>)"
         R"(<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0")"
         R"( xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0")"
         R"( xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0")"
         R"( xmlns:number="urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0")"
         R"( xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0")"
         R"( xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0">)"
         "<office:automatic-styles>" +
         styles + "</office:automatic-styles><office:body><office:spreadsheet>" + spreadsheet +
         "</office:spreadsheet></office:body></office:document-content>";
}

TEST(OdsContents, CellFormatsFollowParentsColumnsAndTheValuesArea) {
  const std::string styles =
      R"(<style:style style:name="ta1" style:family="table">)"
      R"(<style:table-properties table:display="false"/></style:style>)"
      R"(<number:number-style style:name="N2"><number:number number:decimal-places="2")"
      R"( number:min-integer-digits="1"/></number:number-style>)"
      R"(<style:style style:name="ce1" style:family="table-cell"><style:text-properties)"
      R"( fo:font-weight="bold" fo:color="#ff0000"/><style:table-cell-properties)"
      R"( fo:background-color="#ffff00"/></style:style>)"
      R"(<style:style style:name="ce2" style:family="table-cell" style:parent-style-name="ce1")"
      R"( style:data-style-name="N2"><style:text-properties fo:font-style="italic")"
      R"( fo:font-weight="normal"/></style:style>)"
      R"(<style:style style:name="ce3" style:family="table-cell"><style:text-properties)"
      R"( style:text-underline-style="solid"/></style:style>)"
      R"(<style:style style:name="ce4" style:family="table-cell"><style:table-cell-properties)"
      R"( fo:background-color="transparent"/></style:style>)";
  const std::string body =
      R"(<table:table table:name="T" table:style-name="ta1">)"
      R"(<table:table-column table:default-cell-style-name="ce4"/>)"
      R"(<table:table-column table:default-cell-style-name="ce3" table:number-columns-repeated="2"/>)"
      R"(<table:table-row><table:table-cell table:style-name="ce1"><text:p>a</text:p>)"
      R"(</table:table-cell><table:table-cell table:style-name="ce2"/><table:table-cell/>)"
      R"(</table:table-row><table:table-row table:number-rows-repeated="1048574">)"
      R"(<table:table-cell table:number-columns-repeated="3" table:style-name="ce1"/>)"
      R"(</table:table-row></table:table>)";
  test::TemporaryFolder folder;
  const fs::path file = folder.path() / "styled.ods";
  test::writeOds(file, styledContent(styles, body));
  const auto workbook = readOdsWorkbook(file.string(), withContents());
  // The first column's default style is the default format; a transparent fill is none.
  EXPECT_EQ(workbook->contents().formats.front(),
            (CellFormat{"General", false, false, false, "", ""}));
  EXPECT_EQ(test::contentsListing(*workbook),
            "format\tT!A1\tGeneral\t100\tFF0000\tFFFF00\n"
            "format\tT!B1\t0.00\t010\tFF0000\tFFFF00\n"
            "format\tT!C1\tGeneral\t001\t\t\n"
            "sheet\tT\thidden\n");
}

struct NumberStyleCase {
  const char* style;  // the children of a number:*-style element, with its name
  const char* code;
};

TEST(OdsContents, NumberStylesBecomeFormatCodes) {
  const std::vector<NumberStyleCase> cases = {
      {R"(number-style"><number:number number:min-integer-digits="1"/>)", "General"},
      {R"(number-style"><number:number number:decimal-places="0" number:min-integer-digits="1"/>)",
       "0"},
      {R"(number-style"><number:number number:decimal-places="2" number:min-integer-digits="1")"
       R"( number:grouping="true"/>)",
       "#,##0.00"},
      {R"(percentage-style"><number:number number:decimal-places="1")"
       R"( number:min-integer-digits="1"/><number:text>%</number:text>)",
       "0.0%"},
      {R"(number-style"><number:scientific-number number:decimal-places="2")"
       R"( number:min-integer-digits="1" number:min-exponent-digits="3"/>)",
       "0.00E+000"},
      {R"(date-style"><number:year number:style="long"/><number:text>-</number:text>)"
       R"(<number:month number:style="long"/><number:text>-</number:text>)"
       R"(<number:day number:style="long"/>)",
       "yyyy-mm-dd"},
      {R"(date-style"><number:day/><number:text> </number:text><number:month)"
       R"( number:textual="true"/>)",
       "d mmm"},
      {R"(time-style" number:truncate-on-overflow="false"><number:hours/><number:text>:)"
       R"(</number:text><number:minutes number:style="long"/>)",
       "[h]:mm"},
      {R"(currency-style"><number:number number:decimal-places="2")"
       R"( number:min-integer-digits="1"/><number:text> </number:text>)"
       R"(<number:currency-symbol>EUR</number:currency-symbol>)",
       "0.00 \"EUR\""},
      {R"(text-style"><number:text-content/>)", "@"},
  };
  test::TemporaryFolder folder;
  for (const NumberStyleCase& entry : cases) {
    SCOPED_TRACE(entry.style);
    const std::string element =
        std::string(entry.style).substr(0, std::string(entry.style).find('"'));
    const std::string styles = R"(<number:)" + element + R"( style:name="N1)" +
                               std::string(entry.style).substr(element.size()) +
                               "</number:" + element + ">" +
                               R"(<style:style style:name="ce1" style:family="table-cell")"
                               R"( style:data-style-name="N1"/>)";
    const fs::path file = folder.path() / "number.ods";
    test::writeOds(file, styledContent(styles, R"(<table:table table:name="T"><table:table-row>)"
                                               R"(<table:table-cell table:style-name="ce1")"
                                               R"( office:value-type="float" office:value="1">)"
                                               R"(<text:p>1</text:p></table:table-cell>)"
                                               R"(</table:table-row></table:table>)"));
    const auto workbook = readOdsWorkbook(file.string(), withContents());
    const auto& cells = workbook->sheet(1).contents().formats;
    const std::string code =
        cells.empty() ? "General" : workbook->contents().formats.at(cells[0].format).numberFormat;
    EXPECT_EQ(code, entry.code);
  }
}

}  // namespace
}  // namespace quill
