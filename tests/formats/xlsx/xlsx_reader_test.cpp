#include "formats/xlsx/xlsx_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/escaped_text.h"
#include "sheet/cell_text.h"

namespace quill {
namespace {

std::string fixture(const std::string& name) {
  return std::string(QUILLMERE_TEST_DATA) + "/xlsx/" + name;
}

// Every non-empty cell as "Sheet!A1<TAB>text", in the order the cells listing uses.
std::vector<std::string> listing(const StoredWorkbook& workbook) {
  std::vector<std::string> lines;
  for (std::size_t i = 1; i <= workbook.sheetCount(); ++i) {
    const StoredSheet& sheet = workbook.storedSheet(i);
    sheet.forEachCell([&](long row, long column, std::string_view text) {
      lines.push_back(sheet.name() + "!" + cellAddress(row, column) + "\t" +
                      test::escapedText(text));
    });
  }
  return lines;
}

std::vector<std::string> sheetNames(const StoredWorkbook& workbook) {
  std::vector<std::string> names;
  for (std::size_t i = 1; i <= workbook.sheetCount(); ++i)
    names.push_back(workbook.sheet(i).name());
  return names;
}

struct ListingCase {
  const char* file;
  std::vector<std::string> lines;
};

TEST(XlsxReader, CellTextsOfEveryKind) {
  const std::vector<ListingCase> cases = {
      {"texts.xlsx",
       {"Sheet1!A1\tplain",
        "Sheet1!B1\trich runs",
        "Sheet1!C1\tline\\r\\nbreak",
        "Sheet1!D1\tkept_x000D_literal",
        "Sheet1!E1\t\\ttab and newline\\n",
        "Sheet1!F1\tspaces around",
        "Sheet1!H1\t\xF0\x9F\x98\x80 pair, \xC3\xA9 lower, _xZZZZ_ invalid",
        "Sheet1!J1\t<&> \xC3\xA9t\xC3\xA9",
        "Sheet1!A2\tinline wins",
        "Sheet1!B2\tinline runs",
        "Sheet1!C2\tcr\\r",
        "Sheet1!D2\tab\\n",
        "Sheet1!G2\tvalue only",
        "Sheet1!A3\tTrue",
        "Sheet1!B3\tFalse",
        "Sheet1!C3\tError 2007",
        "Sheet1!D3\tError 2042",
        "Sheet1!E3\tError #WHAT?",
        "Sheet1!F3\tError 2045",
        "Sheet1!G3\tnot a number"}},
      {"numbers_dates.xlsx",
       {"Sheet1!A1\t0.3", "Sheet1!B1\t1E+20", "Sheet1!C1\t1.23456789012346E+17", "Sheet1!D1\t0",
        "Sheet1!E1\t1E-06", "Sheet1!F1\t42", "Sheet1!G1\t1.5",
        // built-in 14; custom date; custom "days" number; built-in 15 redefined as a
        // number; 22; [h]:mm; [Red] number; text format; 46; [$-409] date; an id that
        // only a differential format defines; a style index past the table
        "Sheet1!A2\t2024-12-07", "Sheet1!B2\t2024-12-07 15:31:00", "Sheet1!C2\t45633",
        "Sheet1!D2\t45633", "Sheet1!E2\t06:00:00", "Sheet1!F2\t1900-01-01 12:00:00",
        "Sheet1!G2\t45633", "Sheet1!H2\t45633", "Sheet1!I2\t12:00:00", "Sheet1!J2\t2024-12-07",
        "Sheet1!K2\t45633", "Sheet1!L2\t45633", "Sheet1!A3\t1900-01-01", "Sheet1!B3\t1900-02-28",
        "Sheet1!C3\t1900-02-29", "Sheet1!D3\t1900-03-01", "Sheet1!E3\t-1", "Sheet1!F3\t3000000",
        "Sheet1!G3\t1900-01-01",
        // t="d" cells
        "Sheet1!A4\t2026-12-07", "Sheet1!B4\t2026-12-07 15:30:00", "Sheet1!C4\t06:00:00",
        "Sheet1!D4\t10:10:10", "Sheet1!E4\tnot a date", "Sheet1!F4\t-0.5",
        "Sheet1!G4\t2026-02-31"}},
      {"date1904.xlsx",
       {"Sheet1!A1\t00:00:00", "Sheet1!B1\t06:00:00", "Sheet1!C1\t1904-01-02",
        "Sheet1!D1\t2028-12-08 12:00:00", "Sheet1!E1\t45633.5"}},
      {"positions.xlsx",
       {"Positions!A1\t1", "Positions!B1\t2", "Positions!E1\t5", "Positions!F1\t6",
        "Positions!A2\t7", "Positions!A4\t11", "Positions!C5\t8", "Positions!D5\t9",
        "Positions!XFD1048576\t12"}},
      {"package_paths.xlsx",
       {"First!A1\tfirst", "Second!B2\tsecond", "Third!C3\tthird", "Hidden!A1\thidden"}},
      {"strict_prefixed.xlsx", {"Strict!A1\tprefixed", "Strict!B1\t2.5"}},
      {"writer_values.xlsx",
       {"Values!A1\t0.3", "Values!B1\tpadded", "Values!C1\tTrue", "Values!D1\t2026-12-07 15:30:00",
        "Values!E1\t2024-12-07", "Values!F1\t0.6", "Values!A2\tbold part plain", "Values!B2\tplain",
        "Values!C2\tplain", "Hidden!A1\thidden"}},
      {"writer_formulas.xlsx",
       {"Formulas!A1\t2", "Formulas!C1\ttext", "Formulas!A2\t2026-12-07", "VeryHidden!B2\tdeep"}},
      // A comment and an instruction part way through the second sheet, a CDATA section
      // in a shared string: each part is read again from its start, each cell once.
      {"beyond_plain_xml.xlsx",
       {"First!A1\tplain", "First!B1\t1", "Second!A1\t10", "Second!B1\ta<b", "Second!A2\t20",
        "Second!B2\tx&y"}},
  };
  for (const ListingCase& c : cases) {
    SCOPED_TRACE(c.file);
    auto workbook = readXlsxWorkbook(fixture(c.file));
    EXPECT_EQ(listing(*workbook), c.lines);
  }
}

TEST(XlsxReader, WorksheetsInTabOrderWithoutChartDialogOrMacroSheets) {
  auto paths = readXlsxWorkbook(fixture("package_paths.xlsx"));
  EXPECT_EQ(sheetNames(*paths), (std::vector<std::string>{"First", "Second", "Third", "Hidden"}));
  auto values = readXlsxWorkbook(fixture("writer_values.xlsx"));
  EXPECT_EQ(sheetNames(*values), (std::vector<std::string>{"Values", "Hidden"}));
}

TEST(XlsxReader, UsedAreaIgnoresTheDeclaredDimension) {
  auto workbook = readXlsxWorkbook(fixture("positions.xlsx"));
  EXPECT_EQ(absoluteAddress(workbook->sheet(1).usedArea()), "$A$1:$XFD$1048576");
}

TEST(XlsxReader, CellsShareTheTextOfOneSharedString) {
  auto workbook = readXlsxWorkbook(fixture("writer_values.xlsx"));
  const Worksheet& sheet = workbook->sheet(1);
  EXPECT_EQ(sheet.cellText(2, 2), "plain");
  EXPECT_EQ(sheet.cellText(2, 2).data(), sheet.cellText(2, 3).data());
}

TEST(XlsxReader, ManyCellsAcrossInflatedChunks) {
  auto workbook = readXlsxWorkbook(fixture("many_cells.xlsx"));
  const StoredSheet& sheet = workbook->storedSheet(1);
  ASSERT_EQ(sheet.cellCount(), 2500u * 6);
  for (long row = 1; row <= 2500; ++row) {
    for (long column = 1; column <= 6; ++column) {
      const std::string expected = column % 2 ? numberText(double(row * column) + 0.5)
                                              : "text " + std::to_string(row * column % 257);
      ASSERT_EQ(sheet.cellText(row, column), expected) << cellAddress(row, column);
    }
  }
}

struct DamagedCase {
  const char* file;
  const char* reason;
};

TEST(XlsxReader, DamagedFilesEndInOneLineNamingFileAndReason) {
  const std::vector<DamagedCase> cases = {
      {"bad_shared_index.xlsx", "refers to shared string 2 in cell A1, but the table holds only 2"},
      {"row_too_far.xlsx", "row 1048577, column 1, outside the 1,048,576 rows"},
      {"column_too_far.xlsx", "has the cell XFE1, outside"},
      {"column_overflow.xlsx", "has the cell ZZZZZZZZZZZZZZZZZZZZ1, outside"},
      {"malformed_reference.xlsx", "malformed reference \"1A\""},
      {"malformed_xml.xlsx", "the XML is malformed"},
      {"entities.xlsx", "declares entities"},
      {"missing_worksheet.xlsx", "the part \"xl/worksheets/sheet1.xml\" is missing"},
      {"unknown_relationship.xlsx", "sheet \"Lost\" under the relationship \"rId7\""},
      {"no_workbook.xlsx", "names no workbook"},
      {"not_a_zip.xlsx", "not a readable zip package"},
  };
  for (const DamagedCase& c : cases) {
    SCOPED_TRACE(c.file);
    try {
      readXlsxWorkbook(fixture(c.file));
      ADD_FAILURE() << "read without an error";
    } catch (const WorkbookError& error) {
      const std::string message = error.what();
      EXPECT_NE(message.find(fixture(c.file)), std::string::npos) << message;
      EXPECT_NE(message.find(c.reason), std::string::npos) << message;
      EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    }
  }
}

}  // namespace
}  // namespace quill
