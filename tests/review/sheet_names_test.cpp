// The review workbook's worksheet names: every name a reader gives becomes one a workbook
// takes, unique ignoring case, and the listing keeps clear of File #2's own names.
#include "review/sheet_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using quill::acceptedSheetName;
using quill::reviewSheetNames;
using Names = std::vector<std::string>;

TEST(SheetNames, CharactersAWorkbookRefusesAreReplaced) {
  EXPECT_EQ(acceptedSheetName("a[1]:b*c?d/e\\f"), "a_1__b_c_d_e_f");
  EXPECT_EQ(acceptedSheetName("tab\there"), "tab_here");
  EXPECT_EQ(acceptedSheetName("'quoted'"), "quoted");
  EXPECT_EQ(acceptedSheetName(""), "Sheet");
  EXPECT_EQ(acceptedSheetName("''"), "Sheet");
  EXPECT_EQ(acceptedSheetName("bad \xff byte"), "bad \xEF\xBF\xBD byte");
}

TEST(SheetNames, LongNamesKeepThirtyOneWholeCharacters) {
  EXPECT_EQ(acceptedSheetName(std::string(40, 'x')), std::string(31, 'x'));
  // Two-byte letters are counted as characters, and never cut in half.
  std::string greek;
  for (int i = 0; i < 40; ++i) greek += "\xCE\xB1";
  std::string expected;
  for (int i = 0; i < 31; ++i) expected += "\xCE\xB1";
  EXPECT_EQ(acceptedSheetName(greek), expected);
}

TEST(SheetNames, ListingComesFirstUnderAFreeName) {
  EXPECT_EQ(reviewSheetNames({"Data"}), (Names{"Differences", "Data"}));
  EXPECT_EQ(reviewSheetNames({"differences", "Differences (2)"}),
            (Names{"Differences (3)", "differences", "Differences (2)"}));
}

TEST(SheetNames, NamesThatMeetAfterReplacingAreNumbered) {
  EXPECT_EQ(reviewSheetNames({"a/b", "a:b", "A_B"}),
            (Names{"Differences", "a_b", "a_b (2)", "A_B (3)"}));
  const Names names = reviewSheetNames({std::string(31, 'y'), std::string(35, 'y')});
  EXPECT_EQ(names[2], std::string(27, 'y') + " (2)");
}

}  // namespace
