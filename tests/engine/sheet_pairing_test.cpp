// Worksheets paired by name, then by content: added, removed, renamed and moved sheets are
// each found once, and nothing else is reported.
#include "engine/sheet_pairing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quill {
namespace {

// Sheets whose rows are the given numbers.
std::vector<SheetSummary> sheets(const std::vector<std::pair<std::string, int>>& namesAndRows) {
  std::vector<SheetSummary> summaries;
  for (const auto& [name, content] : namesAndRows) {
    SheetSummary summary{name, {}};
    for (int row = 0; row < 10; ++row)
      summary.rowHashes.push_back(std::uint64_t(content * 100 + row));
    summaries.push_back(summary);
  }
  return summaries;
}

TEST(SheetPairing, Scenarios) {
  struct Case {
    const char* what;
    std::vector<std::pair<std::string, int>> first, second;
    std::vector<SheetPairing> expected;
  };
  const std::vector<Case> cases = {
      {"same", {{"A", 1}, {"B", 2}}, {{"A", 1}, {"B", 2}}, {{1, 1}, {2, 2}}},
      {"name letter case aside", {{"Data", 1}}, {{"DATA", 5}}, {{1, 1, true}}},
      {"swapped", {{"A", 1}, {"B", 2}}, {{"B", 2}, {"A", 1}}, {{1, 2, false, true}, {2, 1}}},
      {"added in the middle",
       {{"A", 1}, {"B", 2}},
       {{"A", 1}, {"New", 3}, {"B", 2}},
       {{1, 1}, {0, 2}, {2, 3}}},
      {"added first", {{"A", 1}}, {{"New", 3}, {"A", 1}}, {{0, 1}, {1, 2}}},
      {"removed", {{"A", 1}, {"Old", 3}, {"B", 2}}, {{"A", 1}, {"B", 2}}, {{1, 1}, {2, 0}, {3, 2}}},
      {"renamed", {{"A", 1}, {"B", 2}}, {{"A", 1}, {"Bee", 2}}, {{1, 1}, {2, 2, true}}},
      {"renamed and moved",
       {{"A", 1}, {"B", 2}, {"C", 3}},
       {{"Cee", 3}, {"A", 1}, {"B", 2}},
       {{1, 2}, {2, 3}, {3, 1, true, true}}},
      {"other content under another name", {{"A", 1}}, {{"Z", 9}}, {{1, 0}, {0, 1}}},
      {"the exact name before one of another case",
       {{"Data", 1}},
       {{"data", 5}, {"Data", 1}},
       {{0, 1}, {1, 2}}},
      {"names of other case swapped",
       {{"data", 1}, {"Data", 2}},
       {{"Data", 2}, {"data", 1}},
       {{1, 2, false, true}, {2, 1}}},
  };
  for (const Case& c : cases) {
    const auto first = sheets(c.first), second = sheets(c.second);
    EXPECT_EQ(pairSheets(first, second), c.expected) << c.what;
  }
}

TEST(SheetPairing, AOneSheetFormatsSheetPairsWithTheOtherFilesOnlySheet) {
  const auto one = sheets({{"first-file", 1}}), other = sheets({{"second-file", 9}});
  EXPECT_EQ(pairSheets(one, other, true), (std::vector<SheetPairing>{{1, 1}}));
  EXPECT_EQ(pairSheets(one, other, false), (std::vector<SheetPairing>{{1, 0}, {0, 1}}));
  // Against a workbook of several sheets, names and content decide as ever.
  const auto several = sheets({{"A", 1}, {"B", 2}});
  EXPECT_EQ(pairSheets(one, several, true), (std::vector<SheetPairing>{{1, 1, true}, {0, 2}}));
}

TEST(SheetPairing, ContentPairsTheMostAlikeThenTheNearest) {
  auto first = sheets({{"X", 1}, {"Y", 1}});
  auto second = sheets({{"P", 1}, {"Q", 1}});
  first[1].rowHashes.resize(6);  // Y shares 6 of 10 rows with either; X shares all 10
  const std::vector<SheetPairing> expected = {{1, 1, true}, {2, 2, true}};
  EXPECT_EQ(pairSheets(first, second), expected);
  second[0].rowHashes.resize(2);  // P now shares too few with either
  const std::vector<SheetPairing> expected2 = {{0, 1}, {1, 2, true}, {2, 0}};
  EXPECT_EQ(pairSheets(first, second), expected2);
}

}  // namespace
}  // namespace quill
