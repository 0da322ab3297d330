#include "formats/csv/csv_reader.h"

#include <gtest/gtest.h>

#include <fstream>

#include "formats/csv/csv_parser.h"
#include "formats/ods/ods_test_support.h"
#include "support/temporary_folder.h"

namespace quill {
namespace {

// Parses text fed in blocks of the given size and lists the cells of the sheet "S".
std::string parseInBlocks(std::string_view text, std::size_t blockSize) {
  StoredWorkbook workbook;
  csv::CsvParser parser(workbook.addSheet("S"));
  for (std::size_t at = 0; at < text.size(); at += blockSize)
    parser.feed(text.substr(at, blockSize));
  parser.finish();
  workbook.finish();
  return test::cellListing(workbook);
}

struct CsvCase {
  const char* what;
  std::string text;
  std::string expected;
};

TEST(CsvParser, SplitsFieldsAndRecordsWhateverTheBlockSize) {
  const std::vector<CsvCase> cases = {
      {"plain fields", "a,b,c\n1,2,3\n", "S!A1=a\nS!B1=b\nS!C1=c\nS!A2=1\nS!B2=2\nS!C2=3\n"},
      {"no final line end", "a,b\nc", "S!A1=a\nS!B1=b\nS!A2=c\n"},
      {"CRLF line ends", "a,b\r\nc,d\r\n", "S!A1=a\nS!B1=b\nS!A2=c\nS!B2=d\n"},
      {"lone CR line ends", "a\rb\r", "S!A1=a\nS!A2=b\n"},
      {"empty fields and lines", ",x,\n\n,,y\n", "S!B1=x\nS!C3=y\n"},
      {"quoted comma and quote", "\"a,b\",\"say \"\"hi\"\"\"\n", "S!A1=a,b\nS!B1=say \"hi\"\n"},
      {"line breaks inside quotes", "\"one\ntwo\",\"three\r\nfour\"\nnext\n",
       "S!A1=one\\ntwo\nS!B1=three\\r\\nfour\nS!A2=next\n"},
      {"empty quoted field", "\"\",b\n", "S!B1=b\n"},
      {"text after a closing quote", "\"ab\"c,d\n", "S!A1=abc\nS!B1=d\n"},
      {"quote inside an unquoted field", "a\"b,c\n", "S!A1=a\"b\nS!B1=c\n"},
      {"numbers stay as written", "007,1.50,1e3, -0 \n",
       "S!A1=007\nS!B1=1.50\nS!C1=1e3\nS!D1=-0\n"},
      {"fields are trimmed of blanks only", "  a  ,\tb\t\n", "S!A1=a\nS!B1=\\tb\\t\n"},
      {"byte-order mark skipped", "\xEF\xBB\xBFid,name\n", "S!A1=id\nS!B1=name\n"},
      {"byte-order mark only at the start",
       "a\n\xEF\xBB\xBF"
       "b\n",
       "S!A1=a\nS!A2=\xEF\xBB\xBF"
       "b\n"},
      {"partial mark is text", "\xEF\xBBx\n", "S!A1=\xEF\xBBx\n"},
      {"UTF-8 text", "Größe,✓\n", "S!A1=Größe\nS!B1=✓\n"},
      {"unterminated quote keeps the rest", "\"open,\nend", "S!A1=open,\\nend\n"},
  };
  for (const CsvCase& c : cases)
    for (std::size_t block : {std::size_t(1), std::size_t(2), std::size_t(3), std::size_t(1000)})
      EXPECT_EQ(parseInBlocks(c.text, block), c.expected) << c.what << ", blocks of " << block;
}

TEST(CsvParser, RefusesFieldsBeyondTheLastColumn) {
  std::string wide(16384, ',');
  wide += "x\n";
  EXPECT_THROW(parseInBlocks(wide, 4096), WorkbookError);
  EXPECT_NO_THROW(parseInBlocks(std::string(16383, ',') + "x\n", 4096));
}

TEST(CsvReader, OneSheetNamedAfterTheFile) {
  test::TemporaryFolder folder;
  const auto path = folder.path() / "Quarter 3.report.csv";
  std::string text;
  for (int row = 1; row <= 20000; ++row)
    text += std::to_string(row) + ",\"r" + std::to_string(row) + "\"\r\n";
  std::ofstream(path, std::ios::binary) << text;
  auto workbook = readCsvWorkbook(path.string());
  ASSERT_EQ(workbook->sheetCount(), 1u);
  const Worksheet& sheet = workbook->sheet(1);
  EXPECT_EQ(sheet.name(), "Quarter 3.report");
  EXPECT_EQ(absoluteAddress(sheet.usedArea()), "$A$1:$B$20000");
  EXPECT_EQ(sheet.cellText(12345, 2), "r12345");
}

TEST(CsvReader, ErrorsNameTheFile) {
  test::TemporaryFolder folder;
  const auto missing = folder.path() / "missing.csv";
  EXPECT_THROW(readCsvWorkbook(missing.string()), WorkbookError);
  const auto wide = folder.path() / "wide.csv";
  std::ofstream(wide, std::ios::binary) << std::string(20000, ',') << "x";
  try {
    readCsvWorkbook(wide.string());
    ADD_FAILURE() << "a row wider than a worksheet was read";
  } catch (const WorkbookError& error) {
    EXPECT_NE(std::string(error.what()).find("wide.csv"), std::string::npos) << error.what();
  }
}

}  // namespace
}  // namespace quill
