#include "formula/parsed_formula.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace quill {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Tables with one defined name, two sheet index entries and one add-in function.
class SampleNames final : public FormulaNames {
 public:
  std::optional<std::string> sheets(std::uint32_t index) const override {
    if (index == 0) return "Prices";
    if (index == 1) return "Other Sheet";
    if (index == 2) return "Jan:Mar";
    return std::nullopt;
  }
  std::optional<std::string> definedName(std::uint32_t number) const override {
    if (number == 1) return "OneRange";
    if (number == 2) return "_xlfn.CONCAT";  // a newer function, named in the name table
    return std::nullopt;
  }
  std::optional<std::string> externalName(std::uint32_t, std::uint32_t number) const override {
    if (number == 1) return "_xlfn.IFERROR";
    if (number == 2) return "_xlfn._xlws.SORT";
    return std::nullopt;
  }
  std::optional<std::string> sheetsByPosition(std::uint32_t first,
                                              std::uint32_t last) const override {
    if (first == 0 && last == 0) return "Prices";
    if (first == 1 && last == 2) return "Jan:Mar";
    return std::nullopt;
  }
};

Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

Bytes u16(std::uint16_t v) {
  return {std::uint8_t(v), std::uint8_t(v >> 8)};
}
Bytes u32(std::uint32_t v) {
  return u16(std::uint16_t(v)) + u16(std::uint16_t(v >> 16));
}
Bytes number(double v) {
  Bytes bytes(8);
  std::memcpy(bytes.data(), &v, 8);
  return Bytes{0x1F} + bytes;
}
Bytes integer(std::uint16_t v) {
  return Bytes{0x1E} + u16(v);
}

// Column fields carry the relative marks in their two high bits.
constexpr std::uint16_t kRelative = 0xC000;

// A BIFF8 cell reference: row and column 0-based.
Bytes ref8(std::uint16_t row, std::uint16_t column) {
  return Bytes{0x24} + u16(row) + u16(column);
}
Bytes area8(std::uint16_t r1, std::uint16_t r2, std::uint16_t c1, std::uint16_t c2) {
  return Bytes{0x25} + u16(r1) + u16(r2) + u16(c1) + u16(c2);
}
Bytes funcVar(std::uint8_t count, std::uint16_t number) {
  return Bytes{0x22, count} + u16(number);
}

struct TokenCase {
  const char* what;
  FormulaDialect dialect;
  Bytes tokens;
  Bytes extra;
  FormulaCell cell;
  const char* text;
};

class ParsedFormulaTest : public testing::TestWithParam<TokenCase> {};

TEST_P(ParsedFormulaTest, GivesTheFormulaBarText) {
  const TokenCase& c = GetParam();
  EXPECT_EQ(decompileFormula(c.tokens, c.extra, c.dialect, c.cell, SampleNames()), c.text)
      << c.what;
}

constexpr auto B8 = FormulaDialect::Biff8;
constexpr auto XB = FormulaDialect::Xlsb;

INSTANTIATE_TEST_SUITE_P(
    Operands, ParsedFormulaTest,
    testing::Values(
        TokenCase{"relative cell", B8, ref8(0, kRelative), {}, {}, "=A1"},
        TokenCase{"absolute cell", B8, ref8(1, 1), {}, {}, "=$B$2"},
        TokenCase{"mixed cell", B8, ref8(1, 0x4001), {}, {}, "=B$2"},
        TokenCase{
            "whole column", B8, area8(0, 0xFFFF, 2 | kRelative, 2 | kRelative), {}, {}, "=C:C"},
        TokenCase{"whole rows", B8, area8(0, 1, kRelative, 0xFF | kRelative), {}, {}, "=1:2"},
        TokenCase{
            "numbers and operators", B8, integer(2) + number(0.5) + Bytes{0x03}, {}, {}, "=2+0.5"},
        TokenCase{"large number", B8, number(1e20), {}, {}, "=1E+20"},
        TokenCase{
            "string with a quote", B8, Bytes{0x17, 3, 0, 'a', '"', 'b'}, {}, {}, "=\"a\"\"b\""},
        TokenCase{"string of wide characters",
                  B8,
                  Bytes{0x17, 1, 1, 0xE9, 0x00},
                  {},
                  {},
                  "=\"\xC3\xA9\""},
        TokenCase{"error and logical",
                  B8,
                  Bytes{0x1C, 0x2A, 0x1D, 1} + funcVar(2, 4),
                  {},
                  {},
                  "=SUM(#N/A,TRUE)"},
        TokenCase{"defined name", B8, Bytes{0x23} + u32(1), {}, {}, "=OneRange"},
        TokenCase{
            "other sheet", B8, Bytes{0x3A} + u16(0) + u16(0) + u16(2), {}, {}, "=Prices!$C$1"},
        TokenCase{"sheet name needing quotes",
                  B8,
                  Bytes{0x3A} + u16(1) + u16(1) + u16(1 | kRelative),
                  {},
                  {},
                  "='Other Sheet'!B2"},
        TokenCase{"range over sheets",
                  B8,
                  Bytes{0x3B} + u16(2) + u16(0) + u16(2) + u16(kRelative) + u16(1 | kRelative),
                  {},
                  {},
                  "=Jan:Mar!A1:B3"},
        TokenCase{"deleted reference", B8, Bytes{0x2A, 0, 0, 0, 0}, {}, {}, "=#REF!"}));

INSTANTIATE_TEST_SUITE_P(
    Calls, ParsedFormulaTest,
    testing::Values(
        TokenCase{"fixed argument count",
                  B8,
                  integer(1) + integer(2) + Bytes{0x21} + u16(27),
                  {},
                  {},
                  "=ROUND(1,2)"},
        TokenCase{"one-argument sum",
                  B8,
                  area8(0, 1, kRelative, 1 | kRelative) + Bytes{0x19, 0x10, 0, 0},
                  {},
                  {},
                  "=SUM(A1:B2)"},
        TokenCase{"spaces before an operand",
                  B8,
                  integer(1) + Bytes{0x19, 0x40, 0x00, 0x02} + integer(2) + Bytes{0x03},
                  {},
                  {},
                  "=1+  2"},
        TokenCase{"parentheses",
                  B8,
                  integer(1) + integer(2) + Bytes{0x03, 0x15} + integer(3) + Bytes{0x05},
                  {},
                  {},
                  "=(1+2)*3"},
        TokenCase{"union as one argument",
                  B8,
                  ref8(0, kRelative) + ref8(0, 1 | kRelative) + Bytes{0x10} + funcVar(1, 4),
                  {},
                  {},
                  "=SUM((A1,B1))"},
        TokenCase{
            "newer function stored as an add-in call",
            B8,
            Bytes{0x39} + u16(0) + u16(1) + u16(0) + integer(1) + integer(0) + funcVar(3, 255),
            {},
            {},
            "=IFERROR(1,0)"},
        TokenCase{"function numbered after 367",
                  B8,
                  integer(1) + integer(0) + Bytes{0x21} + u16(480),
                  {},
                  {},
                  "=IFERROR(1,0)"},
        TokenCase{"variable call numbered after 367",
                  XB,
                  integer(1) + integer(2) + integer(3) + funcVar(3, 482),
                  {},
                  {},
                  "=SUMIFS(1,2,3)"},
        TokenCase{"newer worksheet function named with both prefixes",
                  B8,
                  Bytes{0x39} + u16(0) + u16(2) + u16(0) + ref8(0, kRelative) + funcVar(2, 255),
                  {},
                  {},
                  "=SORT(A1)"},
        TokenCase{"newer function named by a defined name",
                  XB,
                  Bytes{0x23} + u32(2) + Bytes{0x17} + u16(1) + Bytes{'a', 0} + funcVar(2, 255),
                  {},
                  {},
                  "=CONCAT(\"a\")"},
        TokenCase{"missing argument",
                  B8,
                  ref8(0, kRelative) + Bytes{0x16} + integer(1) + funcVar(3, 1),
                  {},
                  {},
                  "=IF(A1,,1)"}));

INSTANTIATE_TEST_SUITE_P(
    SharedAndBinary, ParsedFormulaTest,
    testing::Values(
        TokenCase{"shared formula offsets",
                  B8,
                  Bytes{0x2C} + u16(0xFFFF) + u16(0x01 | kRelative),
                  {},
                  {5, 3, true},
                  "=D4"},
        TokenCase{"shared formula absolute row",
                  B8,
                  Bytes{0x2C} + u16(4) + u16(0x4000),
                  {},
                  {5, 3, true},
                  "=C$5"},
        TokenCase{"shared formula offsets wrap round the grid",
                  B8,
                  Bytes{0x2C} + u16(0xFFFE) + u16(kRelative),
                  {},
                  {1, 1, true},
                  "=A65535"},
        TokenCase{"3-D reference of a shared formula moves",
                  B8,
                  Bytes{0x3A} + u16(0) + u16(1) + u16(kRelative),
                  {},
                  {2, 2, true},
                  "=Prices!B3"},
        TokenCase{"3-D reference of a cell formula stays",
                  B8,
                  Bytes{0x3A} + u16(0) + u16(1) + u16(kRelative),
                  {},
                  {2, 2, false},
                  "=Prices!A2"},
        TokenCase{"binary cell", XB, Bytes{0x24} + u32(2) + u16(1 | kRelative), {}, {}, "=B3"},
        TokenCase{
            "binary string", XB, Bytes{0x17} + u16(2) + Bytes{'h', 0, 'i', 0}, {}, {}, "=\"hi\""},
        // A surrogate pair makes one character; a half without its partner makes U+FFFD,
        // never bytes that are no UTF-8.
        TokenCase{
            "binary string with a pair and lone halves",
            XB,
            Bytes{0x17} + u16(5) + u16(0xD83D) + u16(0xDE00) + u16(0xD800) + u16('x') + u16(0xDC00),
            {},
            {},
            "=\"\xF0\x9F\x98\x80\xEF\xBF\xBDx\xEF\xBF\xBD\""},
        TokenCase{"string ending on a high surrogate",
                  B8,
                  Bytes{0x17, 2, 1} + u16('a') + u16(0xDBFF),
                  {},
                  {},
                  "=\"a\xEF\xBF\xBD\""},
        TokenCase{"binary shared offsets",
                  XB,
                  Bytes{0x2C} + u32(0xFFFFFFFF) + u16(0x3FFF | kRelative),
                  {},
                  {3, 3, true},
                  "=B2"},
        TokenCase{"binary whole rows on a sheet",
                  XB,
                  Bytes{0x3B} + u16(0) + u32(0) + u32(0) + u16(kRelative) + u16(0x3FFF | kRelative),
                  {},
                  {},
                  "=Prices!1:1"}));

constexpr auto B5 = FormulaDialect::Biff5;
constexpr auto B3 = FormulaDialect::Biff3;

INSTANTIATE_TEST_SUITE_P(
    OlderVersions, ParsedFormulaTest,
    testing::Values(
        TokenCase{"cell with marks in its row field",
                  B5,
                  Bytes{0x24} + u16(2 | 0x8000) + Bytes{1},
                  {},
                  {},
                  "=$B3"},
        TokenCase{"whole column",
                  B5,
                  Bytes{0x25} + u16(kRelative) + u16(0x3FFF | kRelative) + Bytes{2, 2},
                  {},
                  {},
                  "=C:C"},
        TokenCase{"8-bit string", B5, Bytes{0x17, 2, 'a', 0xE9}, {}, {}, "=\"a\xC3\xA9\""},
        TokenCase{"shared offsets of 14 and 8 bits",
                  B5,
                  Bytes{0x2C} + u16(0x3FFE | kRelative) + Bytes{0x01},
                  {},
                  {5, 3, true},
                  "=D3"},
        TokenCase{"one-byte function number", B3, integer(2) + Bytes{0x21, 24}, {}, {}, "=ABS(2)"},
        TokenCase{"3-D reference to this workbook",
                  B5,
                  Bytes{0x3A} + u16(0xFFFF) + Bytes(8, 0) + u16(0) + u16(0) + u16(1) + Bytes{2},
                  {},
                  {},
                  "=Prices!$C$2"},
        TokenCase{"3-D area over sheets",
                  B5,
                  Bytes{0x3B} + u16(0xFFFE) + Bytes(8, 0) + u16(1) + u16(2) + u16(kRelative) +
                      u16(1 | kRelative) + Bytes{0, 1},
                  {},
                  {},
                  "=Jan:Mar!A1:B2"},
        TokenCase{
            "3-D reference to another workbook",
            B5,
            Bytes{0x3A} + u16(1) + Bytes(8, 0) + u16(0) + u16(0) + u16(1) + Bytes{2},
            {},
            {},
            "[unreadable formula: a reference to another workbook of a version before BIFF8]"},
        TokenCase{"deleted cell", B5, Bytes{0x2A, 0, 0, 0}, {}, {}, "=#REF!"},
        TokenCase{"defined name marked",
                  B5,
                  Bytes{0x23} + u16(1) + Bytes(12, 0),
                  {},
                  {},
                  "[unreadable formula: a defined name of a version before BIFF8]"}));

INSTANTIATE_TEST_SUITE_P(
    Unreadable, ParsedFormulaTest,
    testing::Values(
        TokenCase{
            "unknown token", B8, Bytes{0x1A, 0, 0}, {}, {}, "[unreadable formula: token 0x1A]"},
        TokenCase{"data table cell shows none", B8, Bytes{0x02, 0, 0, 0, 0}, {}, {}, ""},
        TokenCase{"tokens too long",
                  B8,
                  Bytes(70000, 0x16),
                  {},
                  {},
                  "[unreadable formula: its tokens are too long]"},
        TokenCase{"unknown function",
                  B8,
                  integer(1) + Bytes{0x21} + u16(1000),
                  {},
                  {},
                  "[unreadable formula: function 1000]"},
        TokenCase{"token cut short",
                  B8,
                  Bytes{0x1E, 1},
                  {},
                  {},
                  "[unreadable formula: it ends inside a token]"},
        TokenCase{"operator without operands",
                  B8,
                  Bytes{0x03},
                  {},
                  {},
                  "[unreadable formula: an operator lacks its operands]"},
        TokenCase{"operands left over",
                  B8,
                  integer(1) + integer(2),
                  {},
                  {},
                  "[unreadable formula: its tokens do not add up to one expression]"},
        TokenCase{"unknown sheet index",
                  B8,
                  Bytes{0x3A} + u16(9) + u16(0) + u16(0),
                  {},
                  {},
                  "[unreadable formula: sheet reference 9]"},
        TokenCase{"macro command, numbered apart from functions",
                  B8,
                  Bytes{0x42, 0} + u16(0x80A3),
                  {},
                  {},
                  "[unreadable formula: macro command 163]"},
        TokenCase{"structured table reference",
                  XB,
                  Bytes{0x18, 0x19} + Bytes(12, 0),
                  {},
                  {},
                  "[unreadable formula: a structured table reference]"},
        TokenCase{"unknown defined name",
                  B8,
                  Bytes{0x23} + u32(7),
                  {},
                  {},
                  "[unreadable formula: defined name 7]"}));

TEST(ParsedFormula, ArrayConstantTakesItsValuesFromTheExtraData) {
  const Bytes tokens = Bytes{0x60, 0, 0, 0, 0, 0, 0, 0};
  Bytes extra = Bytes{1, 1, 0};  // two columns, two rows
  Bytes one = number(1);
  one[0] = 0x01;
  extra = extra + one + Bytes{0x02} + u16(1) + Bytes{0, 'x'} + Bytes{0x04, 1, 0, 0, 0, 0, 0, 0, 0} +
          Bytes{0x10, 0x07, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(decompileFormula(tokens, extra, B8, {}, SampleNames()), "={1,\"x\";TRUE,#DIV/0!}");
  // Two arrays take their values from the extra data one after the other.
  const Bytes second = Bytes{0, 0, 0} + Bytes{0x02} + u16(2) + Bytes{0, 'y', 'z'};
  EXPECT_EQ(decompileFormula(tokens + tokens + Bytes{0x08}, extra + second, B8, {}, SampleNames()),
            "={1,\"x\";TRUE,#DIV/0!}&{\"yz\"}");
  EXPECT_TRUE(isUnreadableFormula(decompileFormula(tokens, Bytes{1}, B8, {}, SampleNames())));
}

TEST(ParsedFormula, BinaryArrayConstantCountsRowsAndColumnsInFourBytes) {
  const Bytes tokens = Bytes{0x40} + Bytes(14, 0) + funcVar(1, 4);
  Bytes one = number(1);
  one[0] = 0x00;
  const Bytes extra = u32(2) + u32(2) + one + Bytes{0x01} + u16(1) + Bytes{'x', 0} +
                      Bytes{0x02, 1} + Bytes{0x04, 0x07, 0, 0, 0};
  EXPECT_EQ(decompileFormula(tokens, extra, XB, {}, SampleNames()), "=SUM({1,\"x\";TRUE,#DIV/0!})");
  // Counts beyond the bytes present are damaged, not a reason to loop or allocate.
  EXPECT_EQ(
      decompileFormula(tokens, u32(0x10000000) + u32(0x10000000) + one, XB, {}, SampleNames()),
      "[unreadable formula: its array constant does not fit its extra data]");
}

TEST(ParsedFormula, SheetNamesAreQuotedWhenTheyWouldNotReadAsNames) {
  EXPECT_EQ(quotedSheetName("Prices"), "Prices");
  EXPECT_EQ(quotedSheetName("Jan:Mar"), "Jan:Mar");
  EXPECT_EQ(quotedSheetName("Other Sheet"), "'Other Sheet'");
  EXPECT_EQ(quotedSheetName("It's"), "'It''s'");
  EXPECT_EQ(quotedSheetName("2024"), "'2024'");
  EXPECT_EQ(quotedSheetName("AB12"), "'AB12'");
  EXPECT_EQ(quotedSheetName("[1]Rates"), "[1]Rates");
  EXPECT_EQ(quotedSheetName("[1]Old Rates"), "'[1]Old Rates'");
}

}  // namespace
}  // namespace quill
