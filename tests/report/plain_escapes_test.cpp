#include "report/plain_escapes.h"

#include <gtest/gtest.h>

#include <string>

namespace quill {
namespace {

struct EscapeCase {
  std::string_view text;
  const char* json;
  const char* csv;
  const char* terminal;  // quoted
  bool bare;
};

// One row for each kind of character the three escapes treat differently.
constexpr EscapeCase kCases[] = {
    {"12", R"("12")", "12", R"("12")", true},
    {"-1.5E+3", R"("-1.5E+3")", "-1.5E+3", R"("-1.5E+3")", true},
    {"", R"("")", "", R"("")", false},
    {"two words", R"("two words")", "two words", R"("two words")", false},
    {"a,b", R"("a,b")", R"("a,b")", R"("a,b")", true},
    {"say \"hi\"", R"("say \"hi\"")", R"("say ""hi""")", R"("say \"hi\"")", false},
    {"back\\slash", R"("back\\slash")", "back\\slash", R"("back\\slash")", false},
    {"line\nbreak\r", R"("line\nbreak\r")", "\"line\nbreak\r\"", R"("line\nbreak\r")", false},
    {"tab\there", R"("tab\there")", "tab\there", R"("tab\there")", false},
    {" padded ", R"(" padded ")", R"(" padded ")", R"(" padded ")", false},
    {"\x1b[31m\x7f",
     R"("\u001B[31m)"
     "\x7f\"",
     "\x1b[31m\x7f", R"("\x1B[31m\x7F")", false},
    {"\xc2\x9b", "\"\xc2\x9b\"", "\xc2\x9b", R"("\u009B")", false},
    {"Gr\xc3\xbc\xc3\x9f"
     "e",
     "\"Gr\xc3\xbc\xc3\x9f"
     "e\"",
     "Gr\xc3\xbc\xc3\x9f"
     "e",
     "\"Gr\xc3\xbc\xc3\x9f"
     "e\"",
     true},
    // Bidirectional controls would make a line read other than it is: never bare, escaped.
    {"abc\xe2\x80\xae"
     "fed",
     "\"abc\xe2\x80\xae"
     "fed\"",
     "abc\xe2\x80\xae"
     "fed",
     R"("abc\u202Efed")", false},
    {"\xe2\x81\xa6x\xe2\x81\xa9", "\"\xe2\x81\xa6x\xe2\x81\xa9\"", "\xe2\x81\xa6x\xe2\x81\xa9",
     R"("\u2066x\u2069")", false},
    {"bad\xff", "\"bad\xef\xbf\xbd\"", "bad\xef\xbf\xbd", R"("bad\xFF")", false},
    {"cut\xe2\x82", "\"cut\xef\xbf\xbd\xef\xbf\xbd\"", "cut\xef\xbf\xbd\xef\xbf\xbd",
     R"("cut\xE2\x82")", false},
};

TEST(PlainEscapes, EachCharacterAsEachFormatNeedsIt) {
  for (const EscapeCase& c : kCases) {
    std::string json, csv, terminal;
    appendJsonString(json, c.text);
    appendCsvField(csv, c.text);
    appendTerminalText(terminal, c.text, true);
    EXPECT_EQ(json, c.json) << c.text;
    EXPECT_EQ(csv, c.csv) << c.text;
    EXPECT_EQ(terminal, c.terminal) << c.text;
    EXPECT_EQ(isBareText(c.text), c.bare) << c.text;
  }
}

TEST(PlainEscapes, UnquotedTerminalTextKeepsQuotes) {
  std::string out;
  appendTerminalText(out, "'My \"Sheet\"'\n", false);
  EXPECT_EQ(out, "'My \"Sheet\"'\\n");
}

}  // namespace
}  // namespace quill
