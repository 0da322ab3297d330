#include "formats/ods/ods_reader.h"

#include <gtest/gtest.h>

#include "formats/ods/ods_test_support.h"
#include "support/temporary_folder.h"

namespace quill {
namespace {

using test::cellListing;
using test::odsContent;
using test::writeOds;

// Reads one sheet named S whose table holds the given rows.
std::string readRows(const std::string& rows, const std::string& beforeTables = "") {
  test::TemporaryFolder folder;
  const auto path = folder.path() / "book.ods";
  writeOds(path,
           odsContent(beforeTables + R"(<table:table table:name="S">)" + rows + "</table:table>"));
  return cellListing(*readOdsWorkbook(path.string()));
}

std::string cell(const std::string& attributes, const std::string& paragraphs) {
  return "<table:table-row><table:table-cell " + attributes + ">" + paragraphs +
         "</table:table-cell></table:table-row>";
}

struct ValueCase {
  const char* what;
  std::string attributes;
  std::string paragraphs;
  std::string expected;  // text of A1, "" for none
};

class OdsValueTest : public testing::TestWithParam<ValueCase> {};

TEST_P(OdsValueTest, GivesTheComparedText) {
  const ValueCase& c = GetParam();
  const std::string listing = readRows(cell(c.attributes, c.paragraphs));
  EXPECT_EQ(listing, c.expected.empty() ? "" : "S!A1=" + c.expected + "\n") << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Values, OdsValueTest,
    testing::Values(
        ValueCase{"float", R"(office:value-type="float" office:value="0.300000000000000000011")",
                  "<text:p>0.3</text:p>", "0.3"},
        ValueCase{"float shown rounded", R"(office:value-type="float" office:value="2.125")",
                  "<text:p>2.13</text:p>", "2.125"},
        ValueCase{"large float", R"(office:value-type="float" office:value="123456789012345700")",
                  "<text:p>1.23E+17</text:p>", "1.23456789012346E+17"},
        ValueCase{"percentage", R"(office:value-type="percentage" office:value="0.125")",
                  "<text:p>12.5%</text:p>", "0.125"},
        ValueCase{"currency", R"(office:value-type="currency" office:value="-3")",
                  "<text:p>-3.00 €</text:p>", "-3"},
        ValueCase{"float without value", R"(office:value-type="float")", "<text:p>7x</text:p>",
                  "7x"},
        ValueCase{"unreadable float", R"(office:value-type="float" office:value="n/a")",
                  "<text:p>not  known</text:p>", "not known"},
        ValueCase{"date", R"(office:value-type="date" office:date-value="2026-12-07")",
                  "<text:p>07/12/26</text:p>", "2026-12-07"},
        ValueCase{"date and time",
                  R"(office:value-type="date" office:date-value="2026-12-07T15:30:00")", "",
                  "2026-12-07 15:30:00"},
        ValueCase{"date on the null date",
                  R"(office:value-type="date" office:date-value="1899-12-30T06:00:00")", "",
                  "06:00:00"},
        ValueCase{"date before the null date",
                  R"(office:value-type="date" office:date-value="1899-12-28")", "", "-2"},
        ValueCase{"date without zero padding",
                  R"(office:value-type="date" office:date-value="2026-3-7")", "", "2026-03-07"},
        ValueCase{"date and time without zero padding",
                  R"(office:value-type="date" office:date-value="2026-12-7T9:05:3.5")", "",
                  "2026-12-07 09:05:04"},
        ValueCase{"malformed date", R"(office:value-type="date" office:date-value="soon")",
                  "<text:p>next week</text:p>", "next week"},
        ValueCase{"time", R"(office:value-type="time" office:time-value="PT15H30M00S")",
                  "<text:p>15:30</text:p>", "15:30:00"},
        ValueCase{"time past a day", R"(office:value-type="time" office:time-value="PT36H")", "",
                  "1900-01-01 12:00:00"},
        ValueCase{"empty time", R"(office:value-type="time" office:time-value="")",
                  "<text:p>later</text:p>", "later"},
        ValueCase{"true", R"(office:value-type="boolean" office:boolean-value="true")",
                  "<text:p>TRUE</text:p>", "True"},
        ValueCase{"false", R"(office:value-type="boolean" office:boolean-value="false")",
                  "<text:p>WAHR</text:p>", "False"},
        ValueCase{"error",
                  R"(office:value-type="float" office:value="0" calcext:value-type="error")",
                  "<text:p>#DIV/0!</text:p>", "Error 2007"},
        ValueCase{"unknown error", R"(office:value-type="string" calcext:value-type="error")",
                  "<text:p>Err:502</text:p>", "Error Err:502"},
        ValueCase{"string value attribute",
                  R"(office:value-type="string" office:string-value="stored")",
                  "<text:p>shown</text:p>", "stored"},
        ValueCase{"no value type", "", "<text:p>plain</text:p>", "plain"},
        ValueCase{"explicit spaces", R"(office:value-type="string")",
                  R"(<text:p>a<text:s text:c="3"/>b<text:s/>c</text:p>)", "a   b c"},
        ValueCase{"leading spaces then trimmed", R"(office:value-type="string")",
                  R"(<text:p><text:s text:c="2"/>x<text:s/></text:p>)", "x"},
        ValueCase{"tab and line break", R"(office:value-type="string")",
                  "<text:p>a<text:tab/>b<text:line-break/>c</text:p>", "a\\tb\\nc"},
        ValueCase{"two paragraphs", R"(office:value-type="string")",
                  "<text:p>one</text:p><text:p>two</text:p>", "one\\ntwo"},
        ValueCase{"empty paragraph between", R"(office:value-type="string")",
                  "<text:p>one</text:p><text:p/><text:p>three</text:p>", "one\\n\\nthree"},
        ValueCase{
            "spans and links", R"(office:value-type="string")",
            R"(<text:p>a<text:span>b<text:span>c</text:span></text:span><text:a>d</text:a></text:p>)",
            "abcd"},
        ValueCase{"white space collapses", R"(office:value-type="string")",
                  "<text:p>\n  a \n\t b  </text:p>", "a b"},
        ValueCase{"annotation is no text", R"(office:value-type="string")",
                  "<office:annotation><dc:creator>me</dc:creator><text:p>note</text:p>"
                  "</office:annotation><text:p>value</text:p>",
                  "value"},
        ValueCase{"only an annotation", "",
                  "<office:annotation><text:p>note</text:p></office:annotation>", ""},
        ValueCase{"escaped markup", R"(office:value-type="string")",
                  "<text:p>&lt;b&gt; &amp; &#x263A;</text:p>", "<b> & \xE2\x98\xBA"}),
    [](const testing::TestParamInfo<ValueCase>& info) {
      std::string name;
      for (const char* p = info.param.what; *p != '\0'; ++p)
        if (std::isalnum(static_cast<unsigned char>(*p))) name.push_back(*p);
      return name;
    });

TEST(OdsReader, NullDateFromCalculationSettingsMovesDateOnlyTexts) {
  const std::string settings =
      R"(<table:calculation-settings><table:null-date table:date-value="1904-01-01"/>)"
      "</table:calculation-settings>";
  EXPECT_EQ(
      readRows(cell(R"(office:value-type="date" office:date-value="1904-01-01T12:00:00")", "") +
                   cell(R"(office:value-type="date" office:date-value="1903-12-31")", "") +
                   cell(R"(office:value-type="date" office:date-value="2000-01-01")", "") +
                   cell(R"(office:value-type="date" office:date-value="1904-01-01")", "") +
                   cell(R"(office:value-type="time" office:time-value="PT36H")", "") +
                   cell(R"(office:value-type="time" office:time-value="PT6H")", ""),
               settings),
      "S!A1=12:00:00\nS!A2=-1\nS!A3=2000-01-01\nS!A4=00:00:00\nS!A5=1904-01-02 12:00:00\n"
      "S!A6=06:00:00\n");
}

// Some writers leave out the zero padding of the null date and of cell dates; both read
// exactly as their padded forms above.
TEST(OdsReader, NullDateWithoutZeroPaddingReadsAsPadded) {
  const std::string settings =
      R"(<table:calculation-settings><table:null-date table:date-value="1904-1-1"/>)"
      "</table:calculation-settings>";
  EXPECT_EQ(readRows(cell(R"(office:value-type="date" office:date-value="1904-1-1T12:0:0")", "") +
                         cell(R"(office:value-type="date" office:date-value="1903-12-31")", "") +
                         cell(R"(office:value-type="date" office:date-value="2000-1-1")", "") +
                         cell(R"(office:value-type="date" office:date-value="1904-1-1")", "") +
                         cell(R"(office:value-type="time" office:time-value="PT36H")", "") +
                         cell(R"(office:value-type="time" office:time-value="PT6H")", ""),
                     settings),
            "S!A1=12:00:00\nS!A2=-1\nS!A3=2000-01-01\nS!A4=00:00:00\nS!A5=1904-01-02 12:00:00\n"
            "S!A6=06:00:00\n");
}

// Plain days take a text made once per day; a day sharing its slot with another, and values
// that only look like days, must still read as themselves.
TEST(OdsReader, EveryCellOfADayGivesThatDay) {
  const auto date = [](const std::string& value, const std::string& shown = "") {
    return cell(R"(office:value-type="date" office:date-value=")" + value + "\"",
                shown.empty() ? "" : "<text:p>" + shown + "</text:p>");
  };
  EXPECT_EQ(
      readRows(date("2016-10-03") + date("2005-09-30") + date("2016-10-03") + date(" 2005-09-30 ") +
               date("0000-00-00", "zero") + date("2016-13-01", "bad") + date("2016-02-30", "feb") +
               date("1899-12-28") + date("1899-12-28") + date("2016-10-03T00:00:00")),
      "S!A1=2016-10-03\nS!A2=2005-09-30\nS!A3=2016-10-03\nS!A4=2005-09-30\nS!A5=zero\n"
      "S!A6=bad\nS!A7=feb\nS!A8=-2\nS!A9=-2\nS!A10=2016-10-03\n");
}

TEST(OdsReader, RepeatsAndCoveredCellsPlaceEveryCell) {
  const std::string rows =
      R"(<table:table-column table:number-columns-repeated="16384"/>)"
      R"(<table:table-row table:number-rows-repeated="2">)"
      R"(<table:table-cell/><table:table-cell table:number-columns-repeated="2" office:value-type="float" office:value="5"><text:p>5</text:p></table:table-cell>)"
      R"(<table:table-cell table:number-columns-repeated="16381"/></table:table-row>)"
      R"(<table:table-row table:number-rows-repeated="1000000"><table:table-cell table:number-columns-repeated="16384"/></table:table-row>)"
      R"(<table:table-row><table:table-cell table:number-columns-spanned="2" office:value-type="string"><text:p>merged</text:p></table:table-cell>)"
      R"(<table:covered-table-cell office:value-type="string"><text:p>hidden</text:p></table:covered-table-cell>)"
      R"(<table:covered-table-cell table:number-columns-repeated="3"/><table:table-cell><text:p>G</text:p></table:table-cell></table:table-row>)"
      R"(<table:table-row table:number-rows-repeated="48573"><table:table-cell/></table:table-row>)";
  EXPECT_EQ(readRows(rows),
            "S!B1=5\nS!C1=5\nS!B2=5\nS!C2=5\nS!A1000003=merged\nS!B1000003=hidden\n"
            "S!F1000003=G\n");
}

TEST(OdsReader, RowGroupsAndHeaderRowsAreRowsLikeOthers) {
  const std::string rows = "<table:table-header-rows>" + cell("", "<text:p>head</text:p>") +
                           "</table:table-header-rows><table:table-row-group>" +
                           cell("", "<text:p>body</text:p>") + "</table:table-row-group>";
  EXPECT_EQ(readRows(rows), "S!A1=head\nS!A2=body\n");
}

TEST(OdsReader, TablesAreWorksheetsInDocumentOrder) {
  test::TemporaryFolder folder;
  const auto path = folder.path() / "book.ods";
  writeOds(path, odsContent(R"(<table:table table:name="Zeta">)" + cell("", "<text:p>z</text:p>") +
                            R"(</table:table><table:table table:name="Alpha &amp; Beta"/>)"
                            R"(<table:table table:name="Mid">)" +
                            cell("", "<text:p>m</text:p>") + "</table:table>"));
  auto workbook = readOdsWorkbook(path.string());
  ASSERT_EQ(workbook->sheetCount(), 3u);
  EXPECT_EQ(workbook->sheet(1).name(), "Zeta");
  EXPECT_EQ(workbook->sheet(2).name(), "Alpha & Beta");
  EXPECT_EQ(workbook->sheet(3).name(), "Mid");
  EXPECT_EQ(cellListing(*workbook), "Zeta!A1=z\nMid!A1=m\n");
}

// A content part with what the fast scanner leaves to the general parser is read from its
// start again, cells before that point included, and gives what its plain form gives.
TEST(OdsReader, ContentBeyondPlainXmlReadsAsItsPlainForm) {
  const std::string plain =
      cell("", "<text:p>first</text:p>") + cell("", "<text:p>a&lt;b</text:p>");
  const struct {
    const char* what;
    std::string rows;
  } forms[] = {
      {"comment",
       cell("", "<text:p>first</text:p>") + cell("", "<text:p><!-- note -->a&lt;b</text:p>")},
      {"CDATA section",
       cell("", "<text:p>first</text:p>") + cell("", "<text:p>a<![CDATA[<]]>b</text:p>")},
      {"processing instruction",
       cell("", "<text:p>first</text:p>") + cell("", "<text:p>a<?pi x?>&lt;b</text:p>")},
  };
  const std::string expected = readRows(plain);
  ASSERT_EQ(expected, "S!A1=first\nS!A2=a<b\n");
  for (const auto& form : forms) EXPECT_EQ(readRows(form.rows), expected) << form.what;
}

struct HostileCase {
  const char* what;
  std::string rows;
  const char* reason;
};

TEST(OdsReader, HostileRepeatsFailFastWithTheReason) {
  const std::vector<HostileCase> cases = {
      {"cell repeated past the last column",
       R"(<table:table-row><table:table-cell table:number-columns-repeated="999999999"><text:p>X</text:p></table:table-cell></table:table-row>)",
       "past column 16,384"},
      {"row repeated past the last row",
       R"(<table:table-row table:number-rows-repeated="999999999"><table:table-cell><text:p>X</text:p></table:table-cell></table:table-row>)",
       "past row 1,048,576"},
      {"repeat count beyond any integer",
       R"(<table:table-row><table:table-cell table:number-columns-repeated="99999999999999999999999"><text:p>X</text:p></table:table-cell></table:table-row>)",
       "past column 16,384"},
      {"content after a huge empty run",
       R"(<table:table-row table:number-rows-repeated="4000000000"/>)" +
           cell("", "<text:p>late</text:p>"),
       "past row 1,048,576"},
      {"full sheet of one repeated cell",
       R"(<table:table-row table:number-rows-repeated="1048576"><table:table-cell table:number-columns-repeated="16384"><text:p>X</text:p></table:table-cell></table:table-row>)",
       "cells a workbook may hold"},
      {"space count beyond any cell",
       cell("", R"(<text:p><text:s text:c="2000000000"/>x</text:p>)"), "repeated spaces"},
  };
  for (const HostileCase& c : cases) {
    try {
      readRows(c.rows);
      ADD_FAILURE() << c.what << ": no error";
    } catch (const WorkbookError& error) {
      const std::string message = error.what();
      EXPECT_NE(message.find("book.ods"), std::string::npos) << c.what << ": " << message;
      EXPECT_NE(message.find(c.reason), std::string::npos) << c.what << ": " << message;
      EXPECT_EQ(message.find('\n'), std::string::npos) << c.what;
    }
  }
}

// The message reading a package fails with, or "" when it reads.
std::string readError(const std::filesystem::path& path) {
  try {
    readOdsWorkbook(path.string());
    return "";
  } catch (const WorkbookError& error) {
    return error.what();
  }
}

TEST(OdsReader, DamagedOrProtectedPackagesGiveOneLineErrors) {
  test::TemporaryFolder folder;
  const auto malformed = folder.path() / "malformed.ods";
  writeOds(malformed, odsContent("<table:table>"));
  const auto entity = folder.path() / "entity.ods";
  writeOds(entity, R"(<?xml version="1.0"?><!DOCTYPE d [<!ENTITY a "aaaa">]><d>&a;</d>)");
  const auto protectedBook = folder.path() / "protected.ods";
  writeOds(
      protectedBook, "\x01\x02 not xml",
      R"(<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0">)"
      R"(<manifest:file-entry manifest:full-path="content.xml"><manifest:encryption-data/>)"
      "</manifest:file-entry></manifest:manifest>");
  const auto noContent = folder.path() / "empty.ods";
  test::writeZip(noContent, {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"}});

  const std::vector<std::pair<std::filesystem::path, const char*>> cases = {
      {malformed, "content.xml: the XML is malformed"},
      {entity, "declares entities"},
      {protectedBook, "its manifest gives no checksum to check a password"},
      {noContent, "\"content.xml\" is missing"}};
  for (const auto& [path, reason] : cases) {
    const std::string message = readError(path);
    EXPECT_NE(message.find("\"" + path.string() + "\""), std::string::npos) << message;
    EXPECT_NE(message.find(reason), std::string::npos) << message;
    EXPECT_EQ(message.find('\n'), std::string::npos) << message;
  }
}

}  // namespace
}  // namespace quill
