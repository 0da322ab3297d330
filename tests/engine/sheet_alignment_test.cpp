// Rows and columns of two worksheets aligned: inserted and deleted rows and columns are
// found by content or by header, and changed cells keep their rows and columns paired.
#include "engine/sheet_alignment.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "sheet/stored_workbook.h"

namespace quill {
namespace {

using Rows = std::vector<std::vector<std::string>>;

// A workbook of one sheet whose rows, from A1, hold the given texts.
std::unique_ptr<StoredWorkbook> bookOf(const Rows& rows) {
  auto book = std::make_unique<StoredWorkbook>();
  StoredSheet& sheet = book->addSheet("S");
  for (std::size_t r = 0; r < rows.size(); ++r)
    for (std::size_t c = 0; c < rows[r].size(); ++c)
      sheet.add(long(r + 1), long(c + 1), rows[r][c]);
  book->finish();
  return book;
}

// The alignment in short: rows as "1-1 0-2 ...", columns as "1-1 2-0 ...".
std::string shown(const SheetAlignment& alignment) {
  std::string text;
  for (const RowPair& pair : alignment.rows)
    text += std::to_string(pair.row1) + "-" + std::to_string(pair.row2) + (pair.moved ? "m " : " ");
  text += "|";
  for (const ColumnPair& pair : alignment.columns)
    text += " " + std::to_string(pair.column1) + "-" + std::to_string(pair.column2) +
            (pair.moved ? "m" : "");
  return text;
}

std::string aligned(const Rows& first, const Rows& second, ComparisonOptions options = {}) {
  const auto book1 = bookOf(first), book2 = bookOf(second);
  const Worksheet &sheet1 = book1->sheet(1), &sheet2 = book2->sheet(1);
  const Area area1{1, 1, long(first.size()), long(first.empty() ? 0 : first[0].size())};
  const Area area2{1, 1, long(second.size()), long(second.empty() ? 0 : second[0].size())};
  return shown(alignSheetAreas(sheet1, area1, sheet2, area2, options));
}

const Rows kTable = {{"1", "2", "3"}, {"4", "5", "6"}, {"7", "8", "9"}, {"10", "11", "12"}};
const Rows kHeaded = {{"Name", "Price", "Count"}, {"a", "1", "2"}, {"b", "3", "4"}};

TEST(SheetAlignment, Scenarios) {
  struct Case {
    const char* what;
    Rows first, second;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"same", kTable, kTable, "1-1 2-2 3-3 4-4 | 1-1 2-2 3-3"},
      {"row inserted",
       kTable,
       {{"1", "2", "3"}, {"x", "y", "z"}, {"4", "5", "6"}, {"7", "8", "9"}, {"10", "11", "12"}},
       "1-1 0-2 2-3 3-4 4-5 | 1-1 2-2 3-3"},
      {"row deleted",
       kTable,
       {{"1", "2", "3"}, {"7", "8", "9"}, {"10", "11", "12"}},
       "1-1 2-0 3-2 4-3 | 1-1 2-2 3-3"},
      {"cell changed",
       kTable,
       {{"1", "2", "3"}, {"4", "X", "6"}, {"7", "8", "9"}, {"10", "11", "12"}},
       "1-1 2-2 3-3 4-4 | 1-1 2-2 3-3"},
      {"column inserted",
       kTable,
       {{"1", "n", "2", "3"}, {"4", "n", "5", "6"}, {"7", "n", "8", "9"}, {"10", "n", "11", "12"}},
       "1-1 2-2 3-3 4-4 | 1-1 0-2 2-3 3-4"},
      {"column removed",
       kTable,
       {{"1", "3"}, {"4", "6"}, {"7", "9"}, {"10", "12"}},
       "1-1 2-2 3-3 4-4 | 1-1 2-0 3-2"},
      {"columns moved under their headers",
       kHeaded,
       {{"Price", "Name", "Count"}, {"1", "a", "2"}, {"3", "b", "4"}},
       "1-1 2-2 3-3 | 2-1 1-2m 3-3"},
      {"column inserted and row inserted under a header",
       kHeaded,
       {{"Name", "Note", "Price", "Count"},
        {"a", "", "1", "2"},
        {"z", "", "9", "9"},
        {"b", "", "3", "4"}},
       "1-1 2-2 0-3 3-4 | 1-1 0-2 2-3 3-4"},
      {"empty first", {}, kTable, "0-1 0-2 0-3 0-4 | 0-1 0-2 0-3"},
      {"row moved",
       kTable,
       {{"4", "5", "6"}, {"7", "8", "9"}, {"1", "2", "3"}, {"10", "11", "12"}},
       "2-1 3-2 1-3m 4-4 | 1-1 2-2 3-3"},
      {"labelled row with its numbers changed",
       {{"Item", "Q1", "Q2"}, {"a", "1", "2"}, {"Total", "1", "2"}},
       {{"Item", "Q1", "Q2"}, {"a", "1", "2"}, {"b", "3", "4"}, {"Total", "4", "6"}},
       "1-1 2-2 0-3 3-4 | 1-1 2-2 3-3"},
      {"row replaced by an unrelated one",
       {{"Id", "Region", "Order"}, {"1", "South", "A-1"}, {"2", "West", "A-2"}},
       {{"Id", "Region", "Order"}, {"7", "Nordic", "B-9"}, {"2", "West", "A-2"}},
       "1-1 2-0 0-2 3-3 | 1-1 2-2 3-3"},
      {"column renamed with every value changed, between the same neighbours",
       {{"Name", "Price", "Count"}, {"a", "1", "2"}, {"b", "3", "4"}, {"c", "5", "6"}},
       {{"Name", "Cost", "Count"}, {"a", "10", "2"}, {"b", "30", "4"}, {"c", "50", "6"}},
       "1-1 2-2 3-3 4-4 | 1-1 2-2 3-3"},
      {"one column replaced by two new ones stays removed and added",
       {{"Name", "Price", "Count"}, {"a", "1", "2"}, {"b", "3", "4"}, {"c", "5", "6"}},
       {{"Name", "Cost", "Fee", "Count"},
        {"a", "10", "x", "2"},
        {"b", "30", "y", "4"},
        {"c", "50", "z", "6"}},
       "1-1 2-2 3-3 4-4 | 1-1 2-0 0-2 0-3 3-4"},
  };
  for (const Case& c : cases) EXPECT_EQ(aligned(c.first, c.second), c.expected) << c.what;
}

TEST(SheetAlignment, LetterCaseAsideWhenTheOptionsSaySo) {
  const Rows first = {{"a"}, {"b"}, {"c"}}, second = {{"X"}, {"A"}, {"B"}, {"C"}};
  ComparisonOptions options;
  options.ignoreCase = true;
  EXPECT_EQ(aligned(first, second, options), "0-1 1-2 2-3 3-4 | 1-1");
}

TEST(SheetAlignment, RowHashesSkipEmptyRowsAndIgnoreMissingColumns) {
  const auto book = bookOf({{"a", "b"}, {}, {"a", "b"}});
  const std::vector<std::uint64_t> hashes =
      areaRowHashes(book->sheet(1), 1, 4, {1, 2}, ComparisonOptions{});
  ASSERT_EQ(hashes.size(), 4u);
  EXPECT_EQ(hashes[0], hashes[2]);
  EXPECT_EQ(hashes[1], 0u);
  EXPECT_EQ(hashes[3], 0u);
  EXPECT_NE(hashes[0], areaRowHashes(book->sheet(1), 1, 1, {1, 0}, ComparisonOptions{})[0]);
}

}  // namespace
}  // namespace quill
