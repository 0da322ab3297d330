#include "cli/text_dump.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/memory_workbook.h"

namespace {

using quill::test::makeWorkbook;
using quill::test::TestSheet;

struct DumpCase {
  const char* what;
  std::vector<TestSheet> sheets;
  std::string lines;
};

std::string dumpOf(const std::vector<TestSheet>& sheets) {
  std::ostringstream out;
  quill::cli::writeTextDump(*makeWorkbook(sheets), out);
  return out.str();
}

TEST(TextDump, WritesOneLinePerRowWithoutRowNumbers) {
  const std::vector<DumpCase> cases = {
      {"one row", {{"S", {{"A1", "a"}, {"B1", "b"}}}}, "Sheet: S\n\"a\",\"b\"\n"},
      {"leading empty cells keep their commas", {{"S", {{"C1", "c"}}}}, "Sheet: S\n,,\"c\"\n"},
      {"empty cells inside a row",
       {{"S", {{"A1", "a"}, {"D1", "d"}}}},
       "Sheet: S\n\"a\",,,\"d\"\n"},
      {"trailing empty cells are left out of a shorter row",
       {{"S", {{"A1", "a"}, {"C1", "c"}, {"A2", "x"}}}},
       "Sheet: S\n\"a\",,\"c\"\n\"x\"\n"},
      {"empty rows before and between keep their lines",
       {{"S", {{"B3", "b"}, {"A6", "a"}}}},
       "Sheet: S\n\n\n,\"b\"\n\n\n\"a\"\n"},
      {"an empty sheet is its header alone", {{"Empty", {}}}, "Sheet: Empty\n"},
      {"several sheets in tab order",
       {{"First", {{"A1", "1"}}}, {"Empty", {}}, {"Third", {{"A2", "3"}}}},
       "Sheet: First\n\"1\"\nSheet: Empty\nSheet: Third\n\n\"3\"\n"},
      {"sheet names keep to their line",
       {{"tab\tand\nbreak", {{"A1", "x"}}}},
       "Sheet: tab\\tand\\nbreak\n\"x\"\n"},
  };
  for (const DumpCase& c : cases) EXPECT_EQ(dumpOf(c.sheets), c.lines) << c.what;
}

TEST(TextDump, QuotesEveryTextOntoOneField) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"plain", "\"plain\""},
      {"say \"hi\"", "\"say \\\"hi\\\"\""},
      {"a,b", "\"a,b\""},
      {"two\nlines", "\"two\\nlines\""},
      {"cr\r\nlf", "\"cr\\r\\nlf\""},
      {"tab\there", "\"tab\\there\""},
      {"back\\slash\\n", "\"back\\\\slash\\\\n\""},
      {"bell\x07 esc\x1B[31m del\x7F", "\"bell\\x07 esc\\x1B[31m del\\x7F\""},
      {"\xC3\xA9t\xC3\xA9 \xF0\x9F\x98\x80", "\"\xC3\xA9t\xC3\xA9 \xF0\x9F\x98\x80\""},
  };
  for (const auto& [text, field] : cases) {
    EXPECT_EQ(quill::cli::quoteForDump(text), field) << text;
    // In a row, the quoted field is the whole line between its neighbours.
    EXPECT_EQ(dumpOf({{"S", {{"A1", "x"}, {"B1", text}, {"C1", "y"}}}}),
              "Sheet: S\n\"x\"," + field + ",\"y\"\n")
        << text;
  }
}

TEST(TextDump, ChangedCellChangesOneLineAndInsertedRowAddsOne) {
  const TestSheet before{"S", {{"A1", "h"}, {"A2", "1"}, {"B2", "x"}, {"A3", "2"}, {"A4", "3"}}};
  TestSheet changed = before;
  changed.cells[2].second = "y";
  const std::string original = dumpOf({before});
  std::string expected = original;
  expected.replace(expected.find("\"x\""), 3, "\"y\"");
  EXPECT_EQ(dumpOf({changed}), expected);

  const TestSheet inserted{
      "S", {{"A1", "h"}, {"A2", "new"}, {"A3", "1"}, {"B3", "x"}, {"A4", "2"}, {"A5", "3"}}};
  expected = original;
  expected.insert(expected.find("\"1\""), "\"new\"\n");
  EXPECT_EQ(dumpOf({inserted}), expected);
}

}  // namespace
