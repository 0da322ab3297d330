#include "sheet/address.h"

#include <gtest/gtest.h>

#include "sheet/workbook.h"

namespace quill {
namespace {

TEST(ColumnLetters, FollowTheA1Alphabet) {
  const std::pair<long, const char*> cases[] = {
      {1, "A"},    {26, "Z"},   {27, "AA"},   {52, "AZ"},     {53, "BA"},
      {701, "ZY"}, {702, "ZZ"}, {703, "AAA"}, {16384, "XFD"}, {0, "@"},
  };
  for (const auto& [number, letters] : cases) {
    EXPECT_EQ(columnLetters(number), letters) << number;
    if (number > 0) {
      EXPECT_EQ(columnNumber(letters), number) << letters;
    }
  }
}

TEST(ColumnLetters, BeyondTheWorksheetFail) {
  EXPECT_THROW(columnLetters(16385), std::out_of_range);
  EXPECT_THROW(columnLetters(-1), std::out_of_range);
}

TEST(ColumnNumber, ReadsEitherCaseAndRefusesWhatIsNoColumn) {
  EXPECT_EQ(columnNumber("ab"), 28);
  EXPECT_EQ(columnNumber("xfd"), 16384);
  EXPECT_EQ(columnNumber("XFE"), 0);
  EXPECT_EQ(columnNumber("AAAA"), 0);
  EXPECT_EQ(columnNumber(""), 0);
  EXPECT_EQ(columnNumber("A1"), 0);
}

// The letters that start a reference: counted up to a limit, either case, and a column past
// the worksheet's last never wrapping round to one inside it.
TEST(LeadingColumn, ReadsTheLettersBeforeWhatFollows) {
  const struct {
    const char* text;
    std::size_t maxLetters;
    std::size_t letters;
    long column;
  } cases[] = {
      {"B12", 9, 1, 2},      {"ab$3", 9, 2, 28},   {"XFD1048576", 9, 3, 16384},
      {"XFE1", 9, 3, 16385}, {"ABCD1", 3, 3, 731}, {"ZZZZZZZZZZZZZZZZZZZZ1", 99, 20, 16385},
      {"12", 9, 0, 0},       {"", 9, 0, 0},        {"$A1", 9, 0, 0},
      {"\xC3\x84", 9, 0, 0},
  };
  for (const auto& c : cases) {
    const LeadingColumn lead = leadingColumn(c.text, c.maxLetters);
    EXPECT_EQ(lead.letters, c.letters) << c.text;
    EXPECT_EQ(lead.column, c.column) << c.text;
  }
}

TEST(Addresses, AreBuiltAbsoluteAndCellAddressesPlain) {
  EXPECT_EQ(cellAddress(2, 3), "C2");
  EXPECT_EQ(cellAddress(1048576, 16384), "XFD1048576");
  EXPECT_EQ(absoluteAddress({1, 1, 9, 3}), "$A$1:$C$9");
  EXPECT_EQ(absoluteAddress({5, 3, 5, 3}), "$C$5");
}

TEST(Addresses, AreasGiveTheWholeColumnsAndRowsTheyCover) {
  EXPECT_EQ(columnsAddress({2, 2, 9, 4}), "$B:$D");
  EXPECT_EQ(columnsAddress({5, 3, 5, 3}), "$C:$C");
  EXPECT_EQ(rowsAddress({2, 2, 9, 4}), "$2:$9");
  EXPECT_EQ(rowsAddress({5, 3, 5, 3}), "$5:$5");
  const Range range("S", {{2, 2, 9, 4}, {5, 28, 5, 28}});
  EXPECT_EQ(range.address(), "$B$2:$D$9,$AB$5");
  EXPECT_EQ(range.columnsAddress(), "$B:$D,$AB:$AB");
  EXPECT_EQ(range.rowsAddress(), "$2:$9,$5:$5");
}

TEST(RangeAddress, ReadsAreasColumnsRowsAndLists) {
  EXPECT_EQ(parseRangeAddress("$B$2:$D$9"), (std::vector<Area>{{2, 2, 9, 4}}));
  EXPECT_EQ(parseRangeAddress("C5"), (std::vector<Area>{{5, 3, 5, 3}}));
  EXPECT_EQ(parseRangeAddress("$B:$D"), (std::vector<Area>{{1, 2, kMaxRows, 4}}));
  EXPECT_EQ(parseRangeAddress("$1:$20"), (std::vector<Area>{{1, 1, 20, kMaxColumns}}));
  EXPECT_EQ(parseRangeAddress("$A$1:$A$9,$C$1:$E$9"),
            (std::vector<Area>{{1, 1, 9, 1}, {1, 3, 9, 5}}));
  EXPECT_EQ(parseRangeAddress("$D$9:$B$2"), (std::vector<Area>{{2, 2, 9, 4}}));
}

TEST(RangeAddress, RefusesWhatAWorksheetCannotTake) {
  for (const char* text : {"", "$", "B2:", "$B$0", "$A$1048577", "$XFE$1", "1A", "$B$2:$D", "A:5",
                           "hello world", "$A$1,,$B$2"}) {
    EXPECT_THROW(parseRangeAddress(text), AddressError) << '"' << text << '"';
  }
}

TEST(SelectedAddresses, AreasBecomeAbsoluteAddresses) {
  struct Case {
    std::vector<Area> areas;
    const char* text;
  };
  const long rows = kMaxRows, columns = kMaxColumns;
  for (const Case& c : {
           Case{{{2, 2, 9, 4}}, "$B$2:$D$9"},
           Case{{{5, 3, 5, 3}}, "$C$5"},
           Case{{{1, 1, 9, 1}, {1, 3, 9, 5}}, "$A$1:$A$9,$C$1:$E$9"},
           Case{{{1, 2, rows, 4}}, "$B:$D"},
           Case{{{1, 3, rows, 3}}, "$C:$C"},
           Case{{{2, 1, 9, columns}}, "$2:$9"},
           Case{{{7, 1, 7, columns}, {1, 28, rows, 28}}, "$7:$7,$AB:$AB"},
           Case{{{1, 1, rows, columns}}, "$1:$1048576"},
           Case{{}, ""},
       }) {
    EXPECT_EQ(selectionAddressText(c.areas), c.text);
  }
}

TEST(SelectedAddresses, TypedAddressesMayNameTheirWorksheet) {
  struct Case {
    const char* text;
    const char* sheet;
    std::vector<Area> areas;
  };
  for (const Case& c : {
           Case{"b2:d9", "", {{2, 2, 9, 4}}},
           Case{"Prices!$C$5", "Prices", {{5, 3, 5, 3}}},
           Case{"'My Sheet'!A1:A9,C1:E9", "My Sheet", {{1, 1, 9, 1}, {1, 3, 9, 5}}},
           Case{"'It''s'!$B:$D", "It's", {{1, 2, kMaxRows, 4}}},
       }) {
    const TypedAddress typed = parseTypedAddress(c.text);
    EXPECT_EQ(typed.sheetName, c.sheet) << c.text;
    EXPECT_EQ(typed.areas, c.areas) << c.text;
  }
  for (const char* wrong : {"", "!A1", "B2:", "A0", "Sheet!", "1A", "A!B1,C!C2"})
    EXPECT_THROW(parseTypedAddress(wrong), AddressError) << wrong;
}

}  // namespace
}  // namespace quill
