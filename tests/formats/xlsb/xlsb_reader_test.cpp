#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/workbook_file.h"
#include "formats/xlsb/xlsb_records.h"
#include "formats/xlsb/xlsb_test_support.h"
#include "support/temporary_folder.h"

namespace quill {
namespace {

namespace fs = std::filesystem;
using test::cellBytes;
using test::f64Bytes;
using test::recordBytes;
using test::rowRecord;
using test::u16Bytes;
using test::u32Bytes;
using test::wideBytes;

// Splits bytes fed in chunks of the given size; gives "type:size" of each record.
std::vector<std::string> splitInChunks(const std::string& bytes, std::size_t chunkSize) {
  std::vector<std::string> seen;
  xlsb::RecordSplitter splitter("\"x\" cannot be read: the part \"p\"", [&](const xlsb::Record& r) {
    seen.push_back(std::to_string(r.type) + ":" + std::to_string(r.data.size()));
    if (!r.data.empty() && r.data.front() != char(r.type & 0x7F)) seen.back() += " corrupted";
  });
  for (std::size_t at = 0; at < bytes.size(); at += chunkSize)
    splitter.feed(std::string_view(bytes).substr(at, chunkSize));
  splitter.finish();
  return seen;
}

TEST(XlsbRecords, HeadersOfEveryLengthSurviveAnyChunking) {
  // One- and two-byte types, sizes taking one to three bytes; each body is filled with
  // the low bits of its type so that a body read from the wrong place shows.
  const std::vector<std::pair<std::uint32_t, std::size_t>> shapes = {
      {0, 0}, {127, 1}, {128, 127}, {617, 128}, {16383, 16384}, {2, 300000}};
  std::string bytes;
  std::vector<std::string> expected;
  for (const auto& [type, size] : shapes) {
    bytes += recordBytes(type, std::string(size, char(type & 0x7F)));
    expected.push_back(std::to_string(type) + ":" + std::to_string(size));
  }
  for (std::size_t chunk : {bytes.size(), std::size_t(1), std::size_t(7), std::size_t(65536)}) {
    SCOPED_TRACE("chunks of " + std::to_string(chunk));
    EXPECT_EQ(splitInChunks(bytes, chunk), expected);
  }
}

TEST(XlsbRecords, DamagedFramingFailsInOneLine) {
  const struct {
    const char* what;
    std::string bytes;
    const char* reason;
  } cases[] = {
      {"size in five bytes", std::string("\x05\x80\x80\x80\x80\x01", 6), "more than four bytes"},
      {"size past the limit", std::string("\x05\xFF\xFF\xFF\x7F", 5), "more than the"},
      {"body cut short", recordBytes(5, std::string(16, 'x')).substr(0, 10), "ends inside"},
      {"header cut short", std::string("\x85", 1), "ends inside"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    try {
      splitInChunks(c.bytes, 3);
      ADD_FAILURE() << "accepted";
    } catch (const WorkbookError& error) {
      const std::string message = error.what();
      EXPECT_NE(message.find(c.reason), std::string::npos) << message;
      EXPECT_EQ(message.find("\"x\" cannot be read: the part \"p\""), 0u) << message;
    }
  }
}

std::string rk(std::uint32_t bits) {
  return u32Bytes(bits);
}

std::string cell(std::uint32_t type, std::uint32_t column, std::uint32_t style,
                 const std::string& value) {
  return recordBytes(type, cellBytes(column, style) + value);
}

// A formula's tail after its cached value: flags and an empty parsed expression.
const std::string kFormulaTail = u16Bytes(0) + u32Bytes(0) + u32Bytes(0);

// Styles: 0 General, 1 built-in date 14, 2 a date code of its own, 3 id 14 redefined as a
// plain number format, 4 a plain code of its own.
std::string datedStyles() {
  auto format = [](std::uint16_t id, const std::string& code) {
    return recordBytes(44, u16Bytes(id) + wideBytes(code));
  };
  auto xf = [](std::uint16_t formatId) {
    return recordBytes(47, u16Bytes(0) + u16Bytes(formatId) + std::string(12, '\0'));
  };
  return recordBytes(615, u32Bytes(3)) + format(164, "yyyy\\-mm\\-dd hh:mm") + format(14, "0.00") +
         format(165, "0.0\"d\"") + recordBytes(616, "") +
         // A cell style format outside the cell formats must not shift their indexes.
         recordBytes(626, u32Bytes(1)) + xf(14) + recordBytes(627, "") +
         recordBytes(617, u32Bytes(5)) + xf(0) + xf(22) + xf(164) + xf(14) + xf(165) +
         recordBytes(618, "");
}

std::string readListing(const fs::path& path) {
  return test::cellListing(*readWorkbookFile(path.string()));
}

TEST(XlsbReader, EveryCellKindGivesItsText) {
  const std::u16string surrogates = {0xD83D, 0xDE00, u' ', 0xD800, u'x'};
  test::XlsbBook book;
  book.sharedStrings =
      test::sharedStringItem("first") + test::sharedStringItem("  second ") +
      recordBytes(19, std::string("\x03", 1) + wideBytes("rich") + u32Bytes(1) + u32Bytes(0));
  book.styles = datedStyles();
  book.sheets.push_back(
      {"Values", rowRecord(0) + cell(2, 0, 0, rk((42u << 2) | 2)) +
                     cell(2, 1, 0, rk(std::uint32_t(-5 * 4) | 3)) + cell(2, 2, 0, rk(0x3FF80000u)) +
                     cell(2, 3, 0, rk(0x3FF80001u)) + cell(2, 4, 0, rk((1234u << 2) | 3)) +
                     cell(5, 5, 0, f64Bytes(1e20)) + cell(5, 6, 0, f64Bytes(0.1 + 0.2)) +
                     cell(1, 7, 0, "") + rowRecord(1) + cell(3, 0, 0, "\x07") +
                     cell(3, 1, 0, "\x2A") + cell(3, 2, 0, "\x2B") + cell(3, 3, 0, "\x50") +
                     cell(4, 4, 0, "\x01") + cell(4, 5, 0, std::string(1, '\0')) + rowRecord(2) +
                     cell(6, 0, 0, wideBytes("  padded\t ")) +
                     cell(6, 1, 0, wideBytes(surrogates)) + cell(7, 2, 0, u32Bytes(1)) +
                     cell(7, 3, 0, u32Bytes(2)) + cell(6, 4, 0, wideBytes("")) +
                     cell(62, 5, 0, "\x01" + wideBytes(" rich cell") + u32Bytes(1) + u32Bytes(0)) +
                     rowRecord(3) + cell(8, 0, 0, wideBytes("formula text") + kFormulaTail) +
                     cell(9, 1, 0, f64Bytes(2.5) + kFormulaTail) +
                     cell(10, 2, 0, std::string(1, '\0') + kFormulaTail) +
                     cell(11, 3, 0, "\x07" + kFormulaTail) + rowRecord(1048575) +
                     cell(2, 16383, 0, rk((7u << 2) | 2))});
  book.sheets.push_back(
      {"Dates", rowRecord(0) + cell(2, 0, 1, rk((45000u << 2) | 2)) +
                    cell(5, 1, 2, f64Bytes(45000.5)) + cell(2, 2, 3, rk((45000u << 2) | 2)) +
                    cell(2, 3, 4, rk((45000u << 2) | 2)) + cell(5, 4, 1, f64Bytes(0.25)) +
                    cell(5, 5, 1, f64Bytes(-1)) + cell(2, 6, 99, rk((45000u << 2) | 2)) +
                    cell(9, 7, 1, f64Bytes(45000) + kFormulaTail)});
  test::TemporaryFolder folder;
  const fs::path path = folder.path() / "kinds.xlsb";
  test::writeXlsb(path, book);
  EXPECT_EQ(readListing(path),
            "Values!A1=42\nValues!B1=-0.05\nValues!C1=1.5\nValues!D1=0.015\nValues!E1=12.34\n"
            "Values!F1=1E+20\nValues!G1=0.3\n"
            "Values!A2=Error 2007\nValues!B2=Error 2042\nValues!C2=Error 2043\n"
            "Values!D2=Error 2080\nValues!E2=True\nValues!F2=False\n"
            "Values!A3=padded\\t\nValues!B3=\xF0\x9F\x98\x80 \xEF\xBF\xBDx\nValues!C3=second\n"
            "Values!D3=rich\nValues!F3=rich cell\n"
            "Values!A4=formula text\nValues!B4=2.5\nValues!C4=False\nValues!D4=Error 2007\n"
            "Values!XFD1048576=7\n"
            "Dates!A1=2023-03-15\nDates!B1=2023-03-15 12:00:00\nDates!C1=45000\nDates!D1=45000\n"
            "Dates!E1=06:00:00\nDates!F1=-1\nDates!G1=45000\nDates!H1=2023-03-15\n");

  book.date1904 = true;
  book.sheets.resize(2);
  test::writeXlsb(path, book);
  const std::string listing = readListing(path);
  EXPECT_NE(listing.find("Dates!A1=2027-03-16\n"), std::string::npos) << listing;
  EXPECT_NE(listing.find("Dates!E1=06:00:00\n"), std::string::npos) << listing;
}

TEST(XlsbReader, ListsWorksheetsInTabOrderWithoutChartSheets) {
  test::XlsbBook book;
  book.sheets = {{"Zeta", rowRecord(0) + cell(2, 0, 0, rk(6))},
                 {"Chart", "", "chartsheet"},
                 {"Alpha", rowRecord(4) + cell(6, 2, 0, wideBytes("x"))},
                 {"Empty", ""}};
  test::TemporaryFolder folder;
  const fs::path path = folder.path() / "order.xlsb";
  test::writeXlsb(path, book);
  const auto workbook = readWorkbookFile(path.string());
  ASSERT_EQ(workbook->sheetCount(), 3u);
  EXPECT_EQ(workbook->sheet(1).name(), "Zeta");
  EXPECT_EQ(workbook->sheet(2).name(), "Alpha");
  EXPECT_EQ(workbook->sheet(3).name(), "Empty");
  EXPECT_EQ(workbook->sheet(2).cellText(5, 3), "x");
  EXPECT_EQ(workbook->sheet(1).cellText(1, 1), "1");
}

TEST(XlsbReader, DamagedWorksheetsFailInOneLineNamingFileAndSheet) {
  const struct {
    const char* what;
    std::string records;
    const char* reason;
  } cases[] = {
      {"shared string past the table", rowRecord(0) + cell(7, 0, 0, u32Bytes(5)),
       "refers to shared string 5 in cell A1, but the table holds only 1"},
      {"column past the last", rowRecord(0) + cell(2, 16384, 0, rk(2)),
       "column 16385, outside the 1,048,576 rows and 16,384 columns"},
      {"row past the last", rowRecord(1048576), "row 1048577, outside the"},
      {"cell before any row", cell(2, 0, 0, rk(2)), "before the first row record"},
      {"number cut short", rowRecord(0) + recordBytes(5, cellBytes(0) + "1234"),
       "shorter than its contents say"},
      {"cell header cut short", rowRecord(0) + recordBytes(4, "\x01\x00"),
       "shorter than its contents say"},
      {"string longer than its record",
       rowRecord(0) + recordBytes(6, cellBytes(0) + u32Bytes(1000000000) + "a\0b\0"),
       "shorter than its contents say"},
      {"part ends inside a record", rowRecord(0) + "\x05\x10\x00", "ends inside the record"},
  };
  test::TemporaryFolder folder;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    test::XlsbBook book;
    book.sharedStrings = test::sharedStringItem("only");
    book.sheets.push_back({"Broken", c.records});
    const fs::path path = folder.path() / "broken.xlsb";
    test::writeXlsb(path, book);
    try {
      readWorkbookFile(path.string());
      ADD_FAILURE() << "accepted";
    } catch (const WorkbookError& error) {
      const std::string message = error.what();
      EXPECT_NE(message.find("\"" + path.string() + "\" cannot be read"), std::string::npos)
          << message;
      EXPECT_NE(message.find("(sheet \"Broken\")"), std::string::npos) << message;
      EXPECT_NE(message.find(c.reason), std::string::npos) << message;
      EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    }
  }
}

}  // namespace
}  // namespace quill
