#include <gtest/gtest.h>

#include <array>

#include "engine/choose_comparison.h"
#include "engine/chosen_sheets.h"
#include "engine/request_fields.h"
#include "support/memory_workbook.h"

namespace quill {
namespace {

TEST(RequestChoice, RangeModeWithoutAWorksheetComparesWholeWorkbooks) {
  struct Case {
    Mode mode;
    std::optional<int> sheet1, sheet2;
    ComparisonKind expected;
  };
  const std::vector<Case> cases = {
      {Mode::Range, {}, {}, ComparisonKind::WholeWorkbook},
      {Mode::Range, 2, {}, ComparisonKind::Range},
      {Mode::Range, {}, 1, ComparisonKind::Range},
      {Mode::Rows, {}, {}, ComparisonKind::Rows},
      {Mode::Columns, 1, 1, ComparisonKind::Columns},
  };
  for (const Case& c : cases) {
    ComparisonRequest request;
    request.mode = c.mode;
    request.sheet1 = c.sheet1;
    request.sheet2 = c.sheet2;
    request.range1 = "$A$1:$B$2";
    EXPECT_EQ(chooseComparison(request), c.expected)
        << c.sheet1.value_or(0) << "," << c.sheet2.value_or(0);
  }
}

TEST(RequestChoice, ContentsAndKeysStayOnlyWhereTheComparisonUsesThem) {
  struct Case {
    Mode mode;
    std::optional<int> sheet1;
    bool contents, matchKey;
  };
  for (const Case& c : {Case{Mode::Range, {}, true, false}, Case{Mode::Range, 1, false, false},
                        Case{Mode::Rows, {}, false, true}, Case{Mode::Columns, 2, false, true}}) {
    ComparisonRequest request;
    request.mode = c.mode;
    request.sheet1 = c.sheet1;
    request.options.contents = ContentsToRead::all();
    request.options.matchKey = true;
    request.options.ignoreCase = true;
    const ComparisonOptions options = optionsInEffect(request);
    EXPECT_EQ(options.contents.any(), c.contents) << int(c.mode) << c.sheet1.value_or(0);
    EXPECT_EQ(options.matchKey, c.matchKey) << int(c.mode) << c.sheet1.value_or(0);
    EXPECT_TRUE(options.ignoreCase);
  }
}

TEST(RequestChoice, ASideWithoutAWorksheetTakesTheOtherSidesPosition) {
  using Sheet = std::optional<int>;
  const Sheet none;
  const std::vector<std::array<Sheet, 4>> cases = {
      {{none, none, none, none}}, {{2, none, 2, 2}}, {{none, 3, 3, 3}}, {{1, 2, 1, 2}}};
  for (const auto& [sheet1, sheet2, first, second] : cases) {
    ComparisonRequest request;
    request.sheet1 = sheet1;
    request.sheet2 = sheet2;
    EXPECT_EQ(settledSheetPositions(request), std::make_pair(first, second))
        << sheet1.value_or(0) << "," << sheet2.value_or(0);
  }
}

TEST(RequestChoice, StartChecksCompareTheEndWithTheStart) {
  struct Case {
    Mode mode;
    std::string start, end;
    const char* message;
  };
  const char* rowMessage = "Start row must not be greater than end row.";
  const char* columnMessage = "Start column must not be greater than end column.";
  const std::vector<Case> cases = {
      {Mode::Rows, "5", "5", nullptr},          {Mode::Rows, "10", "9", rowMessage},
      {Mode::Rows, "10", "", nullptr},          {Mode::Rows, "1", "x9", rowMessage},
      {Mode::Rows, "  12abc", "12", nullptr},   {Mode::Rows, "2.5", "2", rowMessage},
      {Mode::Columns, "C", "A", columnMessage}, {Mode::Columns, "Z", "AA", nullptr},
      {Mode::Columns, "c", "a", columnMessage}, {Mode::Columns, "C", "", nullptr},
      {Mode::Columns, "C", "1", nullptr},       {Mode::Range, "10", "9", nullptr},
  };
  for (const Case& c : cases) {
    ComparisonRequest request;
    request.mode = c.mode;
    (c.mode == Mode::Columns ? request.startColumn : request.startRow) = c.start;
    (c.mode == Mode::Columns ? request.endColumn : request.endRow) = c.end;
    const auto message = startCheckMessage(request);
    EXPECT_EQ(message.value_or(""), c.message ? c.message : "") << c.start << " / " << c.end;
  }
}

// An end left empty is the last row or column either worksheet uses, so a start beyond it is
// refused before the comparison starts, as a typed end is.
TEST(RequestChoice, AnOpenEndIsCheckedAgainstTheUsedAreasOfBothWorksheets) {
  const SpreadsheetSession books =
      test::makeSession({{"S", {{"C21", "x"}}}}, {{"S", {{"D19", "y"}}}});
  struct Case {
    Mode mode;
    std::optional<int> sheet;
    const char* start;
    bool refused;
  };
  const std::vector<Case> cases = {
      {Mode::Rows, 1, "21", false}, {Mode::Rows, 1, "22", true},    {Mode::Rows, {}, "30", false},
      {Mode::Rows, 2, "30", false}, {Mode::Columns, 1, "D", false}, {Mode::Columns, 1, "E", true},
  };
  for (const Case& c : cases) {
    ComparisonRequest request;
    request.mode = c.mode;
    request.sheet1 = c.sheet;
    (c.mode == Mode::Columns ? request.startColumn : request.startRow) = c.start;
    EXPECT_EQ(startCheckMessage(request, books).has_value(), c.refused)
        << c.start << " on sheet " << c.sheet.value_or(0);
  }
}

TEST(RequestFields, AddressesGiveTheirSpans) {
  const Span columns = columnSpanField("f", "$B$2:$D$9");
  EXPECT_EQ(std::make_pair(columns.first, columns.last), std::make_pair(2L, 4L));
  const Span sameColumns = columnSpanField("f", "$B:$D");
  EXPECT_EQ(std::make_pair(sameColumns.first, sameColumns.last), std::make_pair(2L, 4L));
  const Span rows = rowSpanField("f", "$12:$1048576");
  EXPECT_EQ(std::make_pair(rows.first, rows.last), std::make_pair(12L, 1048576L));
  EXPECT_EQ(columnField("f", " xfd "), 16384);
  EXPECT_EQ(rowNumberField("f", "1048576"), 1048576);
}

TEST(RequestFields, ListsHoldWholeItems) {
  EXPECT_EQ(rowListField("f", "12, 13"), (std::vector<long>{12, 13}));
  EXPECT_EQ(rowListField("f", "25"), (std::vector<long>{25}));
  EXPECT_EQ(columnListField("f", "AB"), (std::vector<long>{28}));
  EXPECT_EQ(columnListField("f", "A, C,D  e"), (std::vector<long>{1, 3, 4, 5}));
  EXPECT_EQ(columnListField("f", " , "), (std::vector<long>{}));
}

TEST(RequestFields, LeadingNumberReadsTheNumberAtTheStart) {
  const std::vector<std::pair<std::string, double>> cases = {
      {"12", 12}, {"  7x", 7}, {"abc", 0}, {"", 0}, {"-3", -3}, {"+4.5", 4.5}, {".5", 0.5}};
  for (const auto& [text, value] : cases) EXPECT_EQ(leadingNumber(text), value) << text;
}

}  // namespace
}  // namespace quill
