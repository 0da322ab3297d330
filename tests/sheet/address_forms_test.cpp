#include "sheet/address_forms.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace quill {
namespace {

TEST(SmallerAreaAddresses, ColumnAndRowFormsOfAddresses) {
  struct Case {
    const char* address;
    const char* columns;
    const char* rows;
  };
  for (const Case& c : {Case{"$A$1:$F$20", "$A:$F", "$1:$20"}, Case{"$C$5", "$C:$C", "$5:$5"},
                        Case{"$B:$D", "$B:$D", "$B:$D"}, Case{"$1:$20", "$1:$20", "$1:$20"},
                        Case{"$XFD$1048576", "$XFD:$XFD", "$1048576:$1048576"}}) {
    EXPECT_EQ(columnRangeText(c.address), c.columns) << c.address;
    EXPECT_EQ(rowRangeText(c.address), c.rows) << c.address;
  }
  // Nothing to drop the last ":" from, or a corner without "$".
  for (const char* wrong : {"", "C5"}) EXPECT_THROW(columnRangeText(wrong), AddressError);
  for (const char* wrong : {"", "C5", "$A$1$2"})
    EXPECT_THROW(rowRangeText(wrong), AddressError) << wrong;
}

TEST(SmallerAreaAddresses, StartAndEndPicksTakeOneArea) {
  struct Case {
    KeyedBy mode;
    const char* pick;
    bool forEnd;
    const char* start;
    const char* end;
  };
  for (const Case& c :
       {Case{KeyedBy::Rows, "$B$2:$D$9", false, "2", "9"},
        Case{KeyedBy::Rows, "$B$2:$D$9", true, "2", "9"},
        Case{KeyedBy::Rows, "$C$5", false, "5", ""}, Case{KeyedBy::Rows, "$C$5", true, "", "5"},
        Case{KeyedBy::Rows, "$3:$40000", false, "3", "40000"},
        Case{KeyedBy::Columns, "$B$2:$D$9", true, "B", "D"},
        Case{KeyedBy::Columns, "$AA$3", true, "", "AA"}}) {
    const StartEndTexts texts = startEndTexts(c.mode, c.pick, c.forEnd);
    EXPECT_EQ(texts.start, c.start) << c.pick;
    EXPECT_EQ(texts.end, c.end) << c.pick;
  }
  EXPECT_THROW(startEndTexts(KeyedBy::Rows, "$B:$D", false), AddressError);
  // A pick of several areas is refused, not cut to its first area.
  EXPECT_THROW(startEndTexts(KeyedBy::Rows, "$C$5,$D$7:$D$9", true), AddressError);
  EXPECT_THROW(startEndTexts(KeyedBy::Columns, "$A$1:$A$9,$C$1:$E$9", false), AddressError);
  EXPECT_THROW(singleAreaOf("$A:$A,$C:$E"), AddressError);
  EXPECT_EQ(singleAreaOf("'A, B'!$A:$C"), "'A, B'!$A:$C");
  EXPECT_THROW(startEndTexts(KeyedBy::Columns, "$2:$9", false), AddressError);
}

TEST(SmallerAreaAddresses, ListsNameEveryColumnOrRowOfEveryArea) {
  struct Case {
    KeyedBy mode;
    const char* pick;
    const char* list;
  };
  for (const Case& c :
       {Case{KeyedBy::Rows, "$A$1:$A$9,$C$1:$E$9", "A, C, D, E"},
        Case{KeyedBy::Rows, "$Y$1:$AB$1", "Y, Z, AA, AB"}, Case{KeyedBy::Rows, "$C$5", "C"},
        Case{KeyedBy::Columns, "$A$3:$F$5", "3, 4, 5"}, Case{KeyedBy::Columns, "$B$7", "7"},
        Case{KeyedBy::Columns, "$A$32767:$A$32769", "32767, 32768, 32769"},
        Case{KeyedBy::Columns, "$4:$5,$B$1", "4, 5, 1"}}) {
    EXPECT_EQ(listText(c.mode, c.pick), c.list) << c.pick;
  }
  // Whole rows hold no columns to name and whole columns no row numbers; a whole
  // worksheet's rows are more than a list can hold.
  for (const auto& [mode, pick] :
       {std::pair{KeyedBy::Rows, "$2:$3"}, std::pair{KeyedBy::Columns, "$B:$D"},
        std::pair{KeyedBy::Columns, "$1:$1048576"}, std::pair{KeyedBy::Rows, ""}})
    EXPECT_THROW(listText(mode, pick), AddressError) << pick;
}

}  // namespace
}  // namespace quill
