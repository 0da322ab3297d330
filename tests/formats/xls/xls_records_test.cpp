// The .xls reader on record streams built byte by byte, where each record's layout is
// under the test's control.
#include <gtest/gtest.h>

#include "formats/xls/cell_reader.h"
#include "formats/xls/codepage.h"
#include "formats/xls/xls_test_support.h"

namespace quill::xls::test {
namespace {

constexpr std::uint16_t kSst = 0x00FC;
constexpr std::uint16_t kContinue = 0x003C;

std::string oneSheet(const std::string& globals, const std::string& cells) {
  return workbookStream(globals, {{"Sheet1", cells}});
}

// An SST whose data is cut into CONTINUE pieces where the test says.
std::string sstRecords(std::uint32_t unique, const std::vector<std::string>& pieces) {
  std::string out = record(kSst, Bytes().u32(unique).u32(unique).raw(pieces.front()));
  for (std::size_t i = 1; i < pieces.size(); ++i) out += record(kContinue, pieces[i]);
  return out;
}

std::string labelsFor(std::size_t count) {
  std::string cells;
  for (std::size_t i = 0; i < count; ++i) cells += sharedLabelCell(unsigned(i), 0, unsigned(i));
  return cells;
}

struct SharedStringCase {
  const char* name;
  std::uint32_t unique;
  std::vector<std::string> pieces;
  std::vector<std::string> expected;
};

TEST(XlsSharedStrings, StringsSurviveEveryWayTheyAreSplitAcrossContinueRecords) {
  const std::vector<SharedStringCase> cases = {
      {"one piece", 2, {Bytes().compressed("alpha").compressed("beta")}, {"alpha", "beta"}},
      {"one-byte characters continue as two-byte ones",
       1,
       {Bytes().u16(7).u8(0).raw("abc"), Bytes().u8(1).utf16(u"d\u00e9f\u20ac")},
       {"abcd\u00e9f\u20ac"}},
      {"two-byte characters continue as one-byte ones",
       1,
       {Bytes().u16(4).u8(1).utf16(u"\u0391\u03b8"), Bytes().u8(0).raw("ab")},
       {"\u0391\u03b8ab"}},
      {"a surrogate pair cut in two",
       1,
       {Bytes().u16(2).u8(1).u16(0xD83D), Bytes().u8(1).u16(0xDE00)},
       {"\U0001F600"}},
      {"rich-text runs and phonetic data run on into the next piece",
       2,
       {Bytes().u16(5).u8(0x0C).u16(2).u32(6).raw("Hello").raw(std::string("\1\0\2", 3)),
        Bytes().raw(std::string(5, '\0')).raw("phonet").compressed("next")},
       {"Hello", "next"}},
      {"a string that starts a new piece has no extra option byte",
       2,
       {Bytes().compressed("one"), Bytes().compressed("two")},
       {"one", "two"}},
      {"an announced count far beyond the strings present",
       0xFFFFFFFF,
       {Bytes().compressed("only")},
       {"only"}},
      {"more strings than announced",
       1,
       {Bytes().compressed("first").compressed("second")},
       {"first", "second"}},
  };
  for (const SharedStringCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto workbook =
        readStream(oneSheet(sstRecords(c.unique, c.pieces), labelsFor(c.expected.size())));
    const Worksheet& sheet = workbook->sheet(1);
    for (std::size_t i = 0; i < c.expected.size(); ++i)
      EXPECT_EQ(sheet.cellText(long(i) + 1, 1), c.expected[i]) << "string " << i;
  }
}

TEST(XlsCells, EveryCellRecordGivesItsText) {
  const std::string xfs = record(0x00E0, Bytes().u16(0).u16(0).raw(std::string(16, '\0')));
  const std::string nan = Bytes().u8(0).u8(0).u8(0).u8(0).u8(0).u8(0).u16(0xFFFF);
  std::string cells;
  cells += numberCell(0, 0, 0, -2.5);
  cells += rkCell(0, 1, 0, (5u << 2) | 2);                 // integer
  cells += rkCell(0, 2, 0, (1234u << 2) | 3);              // integer / 100
  cells += rkCell(0, 3, 0, 0x3FF80000);                    // 1.5 as a cut double
  cells += rkCell(0, 4, 0, 0x3FF80001);                    // 1.5 / 100
  cells += rkCell(0, 5, 0, (std::uint32_t(-3) << 2) | 2);  // negative integer
  cells += record(0x00BD, Bytes()
                              .u16(1)
                              .u16(1)
                              .u16(0)
                              .u32((7u << 2) | 2)
                              .u16(0)
                              .u32(0x3FF80000)
                              .u16(0)
                              .u32((9u << 2) | 2)
                              .u16(3));  // MULRK B2:D2
  cells += record(0x0204, Bytes().u16(2).u16(0).u16(0).u16(3).u8(1).utf16(u"\u00c5se"));
  cells += record(0x0204, Bytes().u16(2).u16(1).u16(0).compressed("  padded  "));
  cells += record(0x00D6, Bytes().u16(2).u16(2).u16(0).compressed("rich").u16(1).u32(0));
  cells += record(0x0205, Bytes().u16(3).u16(0).u16(0).u8(1).u8(0));  // TRUE
  cells += record(0x0205, Bytes().u16(3).u16(1).u16(0).u8(0).u8(0));  // FALSE
  cells += record(0x0205, Bytes().u16(3).u16(2).u16(0).u8(0x17).u8(1));
  cells += record(0x0205, Bytes().u16(3).u16(3).u16(0).u8(0x63).u8(1));
  cells += formulaCell(4, 0, Bytes().f64(2.5));
  cells += formulaCell(4, 1, nan);                 // text in STRING
  cells += record(0x04BC, std::string(10, '\0'));  // SHRFMLA in between
  cells += record(0x0207, Bytes().compressed("joined"));
  cells += formulaCell(4, 2, Bytes().u8(1).u8(0).u8(1).u8(0).u8(0).u8(0).u16(0xFFFF));
  cells += formulaCell(4, 3, Bytes().u8(2).u8(0).u8(0x2A).u8(0).u8(0).u8(0).u16(0xFFFF));
  cells += formulaCell(4, 4, Bytes().u8(3).u8(0).u8(0).u8(0).u8(0).u8(0).u16(0xFFFF));
  cells += formulaCell(5, 0, nan);  // its STRING never comes: a cell record follows first
  cells += numberCell(5, 1, 0, 8);
  cells += record(0x0207, Bytes().compressed("stray"));
  cells += record(0x0201, Bytes().u16(6).u16(0).u16(0));
  cells += record(0x00BE, Bytes().u16(6).u16(1).u16(0).u16(0).u16(2));

  EXPECT_EQ(listing(*readStream(oneSheet(xfs, cells))),
            "Sheet1!A1=-2.5\nSheet1!B1=5\nSheet1!C1=12.34\nSheet1!D1=1.5\nSheet1!E1=0.015\n"
            "Sheet1!F1=-3\n"
            "Sheet1!B2=7\nSheet1!C2=1.5\nSheet1!D2=9\n"
            "Sheet1!A3=\u00c5se\nSheet1!B3=padded\nSheet1!C3=rich\n"
            "Sheet1!A4=True\nSheet1!B4=False\nSheet1!C4=Error 2023\nSheet1!D4=Error 2099\n"
            "Sheet1!A5=2.5\nSheet1!B5=joined\nSheet1!C5=True\nSheet1!D5=Error 2042\n"
            "Sheet1!B6=8\n");
}

std::string formatRecord(unsigned id, std::string_view code) {
  return record(0x041E, Bytes().u16(id).compressed(code));
}

std::string styleRecord(unsigned formatId) {
  return record(0x00E0, Bytes().u16(0).u16(formatId).raw(std::string(16, '\0')));
}

TEST(XlsDates, TheNumberFormatOfACellsStyleDecidesWhetherItIsADate) {
  std::string globals =
      formatRecord(14, "0.00") + formatRecord(164, "d/m/yyyy") + formatRecord(165, "\"day\" 0");
  for (unsigned format : {0u, 14u, 164u, 22u, 165u, 46u}) globals += styleRecord(format);
  std::string cells;
  for (unsigned xf = 0; xf < 6; ++xf) cells += numberCell(xf, 0, xf, 46363.75);
  cells += numberCell(6, 0, 99, 46363);  // a style the file does not have

  const std::string none = "";
  for (bool date1904 : {false, true}) {
    SCOPED_TRACE(date1904 ? "1904" : "1900");
    const std::string mode = record(0x0022, Bytes().u16(date1904 ? 1 : 0));
    auto workbook = readStream(oneSheet(mode + globals, cells));
    const Worksheet& sheet = workbook->sheet(1);
    const std::string stamp = date1904 ? "2030-12-08 18:00:00" : "2026-12-07 18:00:00";
    EXPECT_EQ(sheet.cellText(1, 1), "46363.75") << "General";
    EXPECT_EQ(sheet.cellText(2, 1), "46363.75") << "id 14 redefined as 0.00";
    EXPECT_EQ(sheet.cellText(3, 1), stamp) << "the file's own date format";
    EXPECT_EQ(sheet.cellText(4, 1), stamp) << "built-in id 22";
    EXPECT_EQ(sheet.cellText(5, 1), "46363.75") << "letters inside quotes";
    EXPECT_EQ(sheet.cellText(6, 1), stamp) << "built-in id 46";
    EXPECT_EQ(sheet.cellText(7, 1), "46363");
  }
}

// A stream far longer than the reader's buffer: records, joined or not, lie across every
// refill of it.
TEST(XlsSharedStrings, ALongStreamReadsWhole) {
  constexpr unsigned kStrings = 40000;
  std::vector<std::string> pieces(1);
  for (unsigned i = 0; i < kStrings; ++i) {
    const std::string text = "s" + std::to_string(100000 + i);
    if (pieces.back().size() + 10 > 8224) pieces.emplace_back();
    pieces.back() += Bytes().compressed(text).str();
  }
  auto workbook = readStream(oneSheet(sstRecords(kStrings, pieces), labelsFor(kStrings)));
  const Worksheet& sheet = workbook->sheet(1);
  for (unsigned i = 0; i < kStrings; i += 997)
    EXPECT_EQ(sheet.cellText(long(i) + 1, 1), "s" + std::to_string(100000 + i));
  EXPECT_EQ(sheet.cellText(kStrings, 1), "s" + std::to_string(100000 + kStrings - 1));
}

// Shared strings and whole-day dates get their texts only once the sheet is read; a cell
// written twice at one position must still end with the later record's text.
TEST(XlsCells, TextsGivenAtTheSheetsEndKeepTheOrderOfTheRecords) {
  const std::string globals =
      sstRecords(3, {Bytes().compressed("  padded  ").compressed("   ").compressed("x")}) +
      styleRecord(0) + styleRecord(14);
  std::string cells;
  cells += sharedLabelCell(0, 0, 0);
  cells += numberCell(0, 1, 0, 5) + sharedLabelCell(0, 1, 1);  // spaces only: 5 stays
  cells += sharedLabelCell(0, 2, 2) + numberCell(0, 2, 0, 7);
  cells += numberCell(0, 3, 1, 46363) + numberCell(1, 3, 1, 46363);  // one day, twice
  cells += numberCell(0, 4, 1, 46363) + sharedLabelCell(0, 4, 2);
  cells += sharedLabelCell(1, 0, 2) + numberCell(1, 0, 1, 46364);
  cells += numberCell(1, 1, 1, 1e7) + numberCell(1, 2, 1, -1) + numberCell(1, 4, 1, 0);
  // A sheet that turns out to be a dialog after a cell stays, its cell with its text.
  const std::string lateDialog = sharedLabelCell(0, 0, 0) + record(0x0081, Bytes().u16(0x0010));

  auto workbook = readStream(workbookStream(globals, {{"S", cells}, {"Late", lateDialog}}));
  EXPECT_EQ(listing(*workbook),
            "S!A1=padded\nS!B1=5\nS!C1=7\nS!D1=2026-12-07\nS!E1=x\n"
            "S!A2=2026-12-08\nS!B2=10000000\nS!C2=-1\nS!D2=2026-12-07\nS!E2=00:00:00\n"
            "Late!A1=padded\n");
}

TEST(XlsSheets, OnlyWorksheetsAreReadInTabOrderHiddenOnesIncluded) {
  const std::string dialogFlag = record(0x0081, Bytes().u16(0x0010));
  const std::string embeddedChart = record(0x0809, Bytes().u16(0x0600).u16(0x0020).u32(0)) +
                                    numberCell(0, 0, 0, 99) + record(0x000A, "");
  std::vector<SheetSpec> sheets = {
      {"Data", numberCell(0, 0, 0, 1)},
      {"Graph", numberCell(0, 0, 0, 2), 2, 0, 0x0020},
      {"Macros", numberCell(0, 0, 0, 3), 1, 0, 0x0040},
      {"Module", "", 6, 0, 0x0006},
      {"Secret", numberCell(0, 0, 0, 4), 0, 2},
      {"Dialog", dialogFlag + numberCell(0, 0, 0, 5)},
      {"Listed as worksheet, stored as chart", numberCell(0, 0, 0, 6), 0, 0, 0x0020},
      {"Embed", embeddedChart + numberCell(1, 1, 0, 7)},
      {"Empty", ""},
  };
  auto workbook = readStream(workbookStream("", sheets));
  ASSERT_EQ(workbook->sheetCount(), 4u);
  EXPECT_EQ(workbook->sheet(1).name(), "Data");
  EXPECT_EQ(workbook->sheet(2).name(), "Secret");
  EXPECT_EQ(workbook->sheet(3).name(), "Embed");
  EXPECT_EQ(workbook->sheet(4).name(), "Empty");
  EXPECT_EQ(listing(*workbook), "Data!A1=1\nSecret!A1=4\nEmbed!B2=7\n");
}

TEST(XlsBiff5, EightBitTextIsReadInTheWorkbooksCodePage) {
  const std::string globals = record(0x0042, Bytes().u16(1251)) +
                              record(0x041E, Bytes().u16(164).u8(4).raw("yyyy")) + styleRecord(164);
  std::string cells = record(0x0204, Bytes().u16(0).u16(0).u16(0).u16(4).raw("\xD6\xE5\xED\xE0"));
  cells += record(0x00D6, Bytes().u16(0).u16(1).u16(0).u16(2).raw("ok").u8(1).u16(0));
  cells += numberCell(0, 2, 0, 46363);
  cells += formulaCell(0, 3, Bytes().u8(0).u8(0).u8(0).u8(0).u8(0).u8(0).u16(0xFFFF));
  cells += record(0x0207, Bytes().u16(3).raw("\xC4\xE0\xE0"));
  const std::string stream =
      workbookStream(globals, {{"\xCF\xF0\xE0\xE9\xF1", cells}}, /*biff5=*/true);
  EXPECT_EQ(listing(*readStream(stream, StreamKind::Book)),
            "\u041f\u0440\u0430\u0439\u0441!A1=\u0426\u0435\u043d\u0430\n"
            "\u041f\u0440\u0430\u0439\u0441!B1=ok\n"
            "\u041f\u0440\u0430\u0439\u0441!C1=2026-12-07\n"
            "\u041f\u0440\u0430\u0439\u0441!D1=\u0414\u0430\u0430\n");
}

TEST(XlsEarlyVersions, ASingleWorksheetFileIsNamedAsTheCallerSays) {
  // BIFF2: cells carry attribute bytes, the second of which holds the format index.
  std::string biff2 = record(0x0009, Bytes().u16(0x0002).u16(0x0010));
  biff2 += record(0x001E, Bytes().u8(7).raw("General"));
  biff2 += record(0x001E, Bytes().u8(10).raw("yyyy-mm-dd"));
  biff2 += record(0x0002, Bytes().u16(0).u16(0).u8(0).u8(1).u8(0).u16(46363));
  biff2 += record(0x0003, Bytes().u16(0).u16(1).u8(0).u8(0).u8(0).f64(2.5));
  biff2 += record(0x0004, Bytes().u16(1).u16(0).u8(0).u8(0).u8(0).u8(4).raw("caf\xE9"));
  biff2 += record(0x0005, Bytes().u16(1).u16(1).u8(0).u8(0).u8(0).u8(1).u8(0));
  biff2 += record(0x000A, "");
  EXPECT_EQ(listing(*readStream(biff2, StreamKind::Bare, "legacy")),
            "legacy!A1=2026-12-07\nlegacy!B1=2.5\nlegacy!A2=caf\u00e9\nlegacy!B2=True\n");

  // BIFF4: formats numbered by their order, cells pointing at XF records.
  std::string biff4 = record(0x0409, Bytes().u16(0).u16(0x0010).u16(0));
  biff4 += record(0x041E, Bytes().u16(0).u8(7).raw("General"));
  biff4 += record(0x041E, Bytes().u16(0).u8(5).raw("hh:mm"));
  biff4 += record(0x0443, Bytes().u8(0).u8(0).raw(std::string(10, '\0')));
  biff4 += record(0x0443, Bytes().u8(0).u8(1).raw(std::string(10, '\0')));
  biff4 += record(0x0203, Bytes().u16(0).u16(0).u16(1).f64(0.75));
  biff4 += record(0x0203, Bytes().u16(0).u16(1).u16(0).f64(0.75));
  biff4 += record(0x000A, "");
  EXPECT_EQ(listing(*readStream(biff4, StreamKind::Bare, "old")), "old!A1=18:00:00\nold!B1=0.75\n");
}

struct FailureCase {
  const char* name;
  std::string stream;
  const char* reason;  // a part of the message
};

std::string withSheetOffset(std::string stream, std::uint32_t offset) {
  // The first BOUNDSHEET follows the 12-byte BOF of the globals.
  stream.replace(12 + 4, 4, Bytes().u32(offset).str());
  return stream;
}

// Twenty sheets whose BOUNDSHEET records all point at the first sheet's 100 KB of cells.
std::string sheetsSharingOneSubstream() {
  std::string cells;
  for (unsigned row = 0; row < 5000; ++row) cells += numberCell(row, 0, 0, row);
  std::vector<SheetSpec> sheets(20, SheetSpec{"Same", ""});
  sheets[0].records = cells;
  std::string stream = workbookStream("", sheets);
  const std::string firstOffset = stream.substr(12 + 4, 4);
  for (std::size_t entry = 0; entry < 20; ++entry)
    stream.replace(12 + entry * (4 + 12) + 4, 4, firstOffset);
  return stream;
}

TEST(XlsFailures, DamagedOrProtectedStreamsEndInAOneLineError) {
  const std::string good = oneSheet("", numberCell(0, 0, 0, 1));
  const std::string bookAlone = workbookStream("", {});
  const std::vector<FailureCase> cases = {
      {"globals cut before their end", bookAlone.substr(0, bookAlone.size() - 4), "end mark"},
      {"password", oneSheet(record(0x002F, std::string(54, '\0')), ""), "password-protected"},
      {"not a BOF", record(0x0203, std::string(14, '\0')), "BOF"},
      {"truncated", good.substr(0, good.size() - 6), "truncated"},
      {"short record", oneSheet("", record(0x0203, Bytes().u16(0).u16(0).u16(0))), "shorter"},
      {"MULRK span", oneSheet("", record(0x00BD, Bytes().u16(0).u16(0).u16(0).u32(2).u16(5))),
       "MULRK"},
      {"MULRK length", oneSheet("", record(0x00BD, Bytes().u16(0).u16(0).u16(0).u32(2).u8(0))),
       "MULRK"},
      {"shared string index",
       oneSheet(sstRecords(1, {Bytes().compressed("a")}), sharedLabelCell(0, 0, 1)),
       "shared string 1"},
      {"column past the worksheet", oneSheet("", numberCell(0, 20000, 0, 1)), "outside"},
      {"shared string cut short",
       oneSheet(sstRecords(2, {Bytes().compressed("a").u16(40).u8(0).raw("only a few")}), ""),
       "shorter"},
      {"two-byte character cut by a piece",
       oneSheet(sstRecords(1, {Bytes().u16(2).u8(1).u8(0x41), Bytes().u8(0x00).u8(1).u16(0x42)}),
                ""),
       "shorter"},
      {"sheet past the end", withSheetOffset(good, 1u << 30), "past the end"},
      {"sheet pointing at the globals", withSheetOffset(good, 0), "points back"},
      {"sheets sharing one substream", sheetsSharingOneSubstream(), "overlap"},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      readStream(c.stream);
      ADD_FAILURE() << "no error";
    } catch (const WorkbookError& error) {
      const std::string message = error.what();
      EXPECT_NE(message.find(c.reason), std::string::npos) << message;
      EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    }
  }
}

TEST(XlsCodepage, EightBitPagesConvertToUtf8) {
  struct Case {
    int page;
    std::string bytes;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {1252, "\x80 caf\xE9", "\u20ac caf\u00e9"},
      {32769, "\x80", "\u20ac"},
      {28591, "\x80\xE9", "\u0080\u00e9"},
      {1251, "\xC0\xFF", "\u0410\u044f"},
      {1253, "\xC1", "\u0391"},
      {10000, "\x8E", "\u00e9"},
      {850, "\x82", "\u00e9"},
      {932, "\x82\xA0x", "\u3042x"},
      {932, "x\x82", "x\ufffd"},  // a lead byte with nothing after it
      {99999, "\x80", "\u20ac"},  // a page nobody knows: read as Windows-1252
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.page);
    Codepage page(c.page);
    std::string out;
    page.append(out, reinterpret_cast<const std::uint8_t*>(c.bytes.data()), c.bytes.size());
    EXPECT_EQ(out, c.expected);
  }
}

TEST(XlsCells, ErrorCodesGiveTheirErrorNumbers) {
  EXPECT_EQ(biffErrorText(0x00), "Error 2000");
  EXPECT_EQ(biffErrorText(0x07), "Error 2007");
  EXPECT_EQ(biffErrorText(0x0F), "Error 2015");
  EXPECT_EQ(biffErrorText(0x1D), "Error 2029");
  EXPECT_EQ(biffErrorText(0x24), "Error 2036");
  EXPECT_EQ(biffErrorText(0x2B), "Error 2043");
}

}  // namespace
}  // namespace quill::xls::test
