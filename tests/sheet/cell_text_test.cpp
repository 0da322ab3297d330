#include "sheet/cell_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace quill {
namespace {

struct NumberCase {
  double value;
  const char* text;
};

TEST(NumberText, FifteenDigitsPlainOrExponent) {
  const std::vector<NumberCase> cases = {
      {0.1 + 0.2, "0.3"},
      {1e20, "1E+20"},
      {123456789012345678.0, "1.23456789012346E+17"},
      {1e-6, "1E-06"},
      {-1.5e-7, "-1.5E-07"},
      {0.00001, "0.00001"},
      {0.000012345, "0.000012345"},
      {9.99999999999999e-6, "9.99999999999999E-06"},
      {0.000099999999999999995, "0.0001"},
      {-0.0, "0"},
      {0.0, "0"},
      {1e15, "1E+15"},
      {999999999999999.0, "999999999999999"},
      {999999999999999.9, "1E+15"},
      {123456789012345.0, "123456789012345"},
      {1234567890123456.0, "1.23456789012346E+15"},
      {1e100, "1E+100"},
      {-1e-100, "-1E-100"},
      {5e-324, "4.94065645841247E-324"},
      {-2.5, "-2.5"},
      {100.0, "100"},
      {1.0 / 3.0, "0.333333333333333"},
      {-2.0 / 3.0, "-0.666666666666667"},
      {45633.646527777775, "45633.6465277778"},
      {-123456789012345.0, "-123456789012345"},
      {3504.518, "3504.518"},
      {-0.015, "-0.015"},
      {0.30000000000000004, "0.3"},
      {2.2250738585072014e-308, "2.2250738585072E-308"},
      {7.3781856196233903e-310, "7.37818561962339E-310"},
  };
  for (const NumberCase& c : cases) EXPECT_EQ(numberText(c.value), c.text) << c.value;
}

TEST(NumberText, AppendsToWhatTheBufferHolds) {
  std::string buffer = "x=";
  appendNumberText(buffer, 2.5);
  appendNumberText(buffer, 1e-7);
  EXPECT_EQ(buffer, "x=2.51E-07");
}

struct SerialCase {
  double serial;
  bool date1904;
  std::optional<std::string> text;
};

TEST(SerialDateText, BothDateSystems) {
  const std::vector<SerialCase> cases = {
      {1, false, "1900-01-01"},
      {59, false, "1900-02-28"},
      {60, false, "1900-02-29"},
      {61, false, "1900-03-01"},
      {0, false, "00:00:00"},
      {0.25, false, "06:00:00"},
      {0.999999, false, "1900-01-01"},  // rounds to midnight of the next day
      {1.5, false, "1900-01-01 12:00:00"},
      {59.9999999, false, "1900-02-29"},
      {45633.5, false, "2024-12-07 12:00:00"},
      {45633.646527777775, false, "2024-12-07 15:31:00"},
      {2958465, false, "9999-12-31"},
      {2958465.99998, false, "9999-12-31 23:59:58"},
      {2958465.999999999, false, std::nullopt},  // rounds into 10000-01-01
      {2958466, false, std::nullopt},
      {-1, false, std::nullopt},
      {-0.25, false, std::nullopt},
      {NAN, false, std::nullopt},
      {0, true, "00:00:00"},
      {0.25, true, "06:00:00"},
      {0.999999, true, "1904-01-02"},
      {1, true, "1904-01-02"},
      {60, true, "1904-03-01"},
      {45633.5, true, "2028-12-08 12:00:00"},
      {2957003, true, "9999-12-31"},
      {2957004, true, std::nullopt},
  };
  for (const SerialCase& c : cases)
    EXPECT_EQ(serialDateText(c.serial, c.date1904), c.text)
        << c.serial << (c.date1904 ? " (1904)" : " (1900)");
}

TEST(SerialDateText, NoDateFallsBackToTheNumber) {
  EXPECT_EQ(dateOrNumberText(-1, false), "-1");
  EXPECT_EQ(dateOrNumberText(3000000, false), "3000000");
  EXPECT_EQ(dateOrNumberText(-0.5, true), "-0.5");
  EXPECT_EQ(dateOrNumberText(61, false), "1900-03-01");

  std::string buffer = "a ";
  EXPECT_FALSE(appendSerialDateText(buffer, -3, false));
  EXPECT_EQ(buffer, "a ");  // nothing appended when there is no date
}

TEST(DateFormats, CodesShowDatesOnlyThroughRealDateLetters) {
  const std::vector<std::pair<const char*, bool>> cases = {
      {"General", false},
      {"general", false},
      {"0.00", false},
      {"#,##0_);(#,##0)", false},
      {"0.0E+00", false},
      {"@", false},
      {"yyyy-mm-dd", true},
      {"YYYY", true},
      {"d/m/yy", true},
      {"h:mm AM/PM", true},
      {"ss.0", true},
      {"[h]:mm:ss", true},
      {"[mm]:ss", true},
      {"[ss]", true},
      {"[HH]", true},
      {"[hm]", false},
      {"\"day\" 0", false},
      {"0 \"hours\"", false},
      {"\"unclosed d", false},
      {"[Red]0.00", false},
      {"[Blue][<=100]0;[Red]0", false},
      {"[$-409]0", false},
      {"[$-409]mmm", true},
      {"[$-F800]dddd\\,\\ mmmm\\ dd\\,\\ yyyy", true},
      {"\\d0", false},
      {"\\y\\m\\d 0", false},
      {"_h0", false},
      {"*m0", false},
      {"0_m*s", false},
      {"0.0 \"days\";\"-\"", false},
  };
  for (const auto& [code, isDate] : cases) EXPECT_EQ(isDateFormatCode(code), isDate) << code;
}

TEST(DateFormats, BuiltinIds) {
  const std::vector<int> dates = {14, 17, 22, 27, 31, 36, 45, 46, 47, 50, 54, 58};
  const std::vector<int> others = {0, 1, 13, 23, 26, 37, 44, 48, 49, 59, 164};
  for (int id : dates) EXPECT_TRUE(isBuiltinDateFormat(id)) << id;
  for (int id : others) EXPECT_FALSE(isBuiltinDateFormat(id)) << id;
}

TEST(ErrorText, KnownNumbersAndOtherTexts) {
  const std::vector<std::pair<const char*, const char*>> cases = {
      {"#NULL!", "Error 2000"},     {"#DIV/0!", "Error 2007"},       {"#VALUE!", "Error 2015"},
      {"#REF!", "Error 2023"},      {"#NAME?", "Error 2029"},        {"#NUM!", "Error 2036"},
      {"#N/A", "Error 2042"},       {"#GETTING_DATA", "Error 2043"}, {"#SPILL!", "Error 2045"},
      {"#CONNECT!", "Error 2046"},  {"#BLOCKED!", "Error 2047"},     {"#UNKNOWN!", "Error 2048"},
      {"#FIELD!", "Error 2049"},    {"#CALC!", "Error 2050"},        {"#WHAT?", "Error #WHAT?"},
      {"#div/0!", "Error #div/0!"},
  };
  for (const auto& [stored, text] : cases) EXPECT_EQ(errorText(stored), text) << stored;
}

struct IsoCase {
  const char* iso;
  std::optional<std::string> text;
};

TEST(IsoDateText, DatesTimesAndTheNullDate) {
  const std::vector<IsoCase> cases = {
      {"2026-12-07", "2026-12-07"},
      {"2026-12-07T15:30:00", "2026-12-07 15:30:00"},
      {"2026-12-07T15:30", "2026-12-07 15:30:00"},
      {"2026-12-07T00:00:00", "2026-12-07"},
      {"2026-12-07T15:30:00.5", "2026-12-07 15:30:01"},
      {"2026-12-07T15:30:00Z", "2026-12-07 15:30:00"},
      {"2026-12-07T23:59:59.6", "2026-12-08"},
      {"2024-02-29", "2024-02-29"},
      {"1899-12-30T06:00:00", "06:00:00"},
      {"1899-12-31T06:00:00", "06:00:00"},
      {"1899-12-30", "00:00:00"},
      {"1900-01-01", "1900-01-01"},
      {"1899-12-29", "-1"},
      {"1899-12-29T12:00:00", "-0.5"},
      {"15:30:00", "15:30:00"},
      {"9999-12-31T23:59:59", "9999-12-31 23:59:59"},
      {"2026-02-31", std::nullopt},
      {"2023-02-29", std::nullopt},
      {"2026-13-01", std::nullopt},
      {"2026-12-07T15", std::nullopt},
      {"2026-12-07 15:30:00", std::nullopt},
      {"2026-12-07T25:00:00", std::nullopt},
      {"garbage", std::nullopt},
      {"", std::nullopt},
  };
  for (const IsoCase& c : cases) EXPECT_EQ(isoDateText(c.iso), c.text) << c.iso;
}

TEST(IsoDateText, AnotherNullDate) {
  const CivilDate nullDate{1904, 1, 1};
  EXPECT_EQ(isoDateText("1904-01-01T12:00:00", nullDate), "12:00:00");
  EXPECT_EQ(isoDateText("1904-01-02T12:00:00", nullDate), "12:00:00");
  EXPECT_EQ(isoDateText("1904-01-03", nullDate), "1904-01-03");
  EXPECT_EQ(isoDateText("1903-12-31", nullDate), "-1");
}

TEST(Trimming, BlanksOnlyAndBooleans) {
  EXPECT_EQ(trimSpaces("  a b  "), "a b");
  EXPECT_EQ(trimSpaces("\ta\n"), "\ta\n");
  EXPECT_EQ(trimSpaces("   "), "");
  EXPECT_EQ(booleanText(true), "True");
  EXPECT_EQ(booleanText(false), "False");
}

}  // namespace
}  // namespace quill
