// The aligned comparison of whole workbooks: each kind of edit is reported at its place, at
// most twice as many reports as edits, and nothing edited is missed.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "engine/aligned_workbook.h"
#include "engine/counting_result.h"
#include "engine/listed_differences.h"
#include "result_transcript.h"
#include "sheet/stored_workbook.h"

namespace quill::test {
namespace {

using Rows = std::vector<std::vector<std::string>>;
struct NamedSheet {
  std::string name;
  Rows rows;
};

std::unique_ptr<StoredWorkbook> bookOf(const std::vector<NamedSheet>& sheets) {
  auto book = std::make_unique<StoredWorkbook>();
  for (const NamedSheet& source : sheets) {
    StoredSheet& sheet = book->addSheet(source.name);
    for (std::size_t r = 0; r < source.rows.size(); ++r)
      for (std::size_t c = 0; c < source.rows[r].size(); ++c)
        sheet.add(long(r + 1), long(c + 1), source.rows[r][c]);
  }
  book->finish();
  return book;
}

// A 2,000-row table under a header, with a totals row of its two number columns.
Rows tableWithTotals() {
  Rows rows = {{"Id", "Item", "Amount", "Count"}};
  long amount = 0, count = 0;
  for (long i = 1; i <= 2000; ++i) {
    rows.push_back({std::to_string(i), "item " + std::to_string(i % 37),
                    std::to_string(i * 7 % 1000), std::to_string(i % 5)});
    amount += i * 7 % 1000, count += i % 5;
  }
  rows.push_back({"Total", "", std::to_string(amount), std::to_string(count)});
  return rows;
}

// Recomputes the totals row of tableWithTotals after an edit.
void retotal(Rows& rows) {
  long amount = 0, count = 0;
  for (std::size_t r = 1; r + 1 < rows.size(); ++r)
    amount += std::stol(rows[r][2]), count += std::stol(rows[r][3]);
  rows.back() = {"Total", "", std::to_string(amount), std::to_string(count)};
}

struct Compared {
  ResultTranscript transcript;
  long differences = 0;
};

// The lines of an aligned comparison and the differences they count.
long alignedInto(ResultTranscript& transcript, const Workbook& book1, const Workbook& book2) {
  CountingResult counted(transcript);
  NoProgress progress;
  tellAlignedWorkbooks(counted, book1, book2, ComparisonOptions{}, progress);
  return counted.differences();
}

Compared compare(const std::vector<NamedSheet>& first, const std::vector<NamedSheet>& second) {
  const auto book1 = bookOf(first), book2 = bookOf(second);
  Compared compared;
  compared.differences = alignedInto(compared.transcript, *book1, *book2);
  return compared;
}

using Entries = std::vector<std::string>;

TEST(AlignedScenarios, RowInsertedNearTheTopOfATableWithTotals) {
  const Rows first = tableWithTotals();
  Rows second = first;
  second.insert(second.begin() + 3, {"new", "item new", "500", "3"});
  retotal(second);
  const Compared result = compare({{"T", first}}, {{"T", second}});
  EXPECT_EQ(result.transcript.starting("row "), Entries{"row added 0/4"});
  EXPECT_EQ(result.transcript.starting("cell "),
            (Entries{"cell 2002/3 999000|999500", "cell 2002/4 4000|4003"}));
  EXPECT_EQ(result.differences, 3);  // edited: one row and two totals
}

TEST(AlignedScenarios, RowDeleted) {
  const Rows first = tableWithTotals();
  Rows second = first;
  second.erase(second.begin() + 12);
  retotal(second);
  const Compared result = compare({{"T", first}}, {{"T", second}});
  EXPECT_EQ(result.transcript.starting("row "), Entries{"row removed 13/0"});
  EXPECT_EQ(result.transcript.starting("cell ").size(), 2u);
  EXPECT_LE(result.differences, 2 * 3);
}

TEST(AlignedScenarios, ColumnInserted) {
  const Rows first = tableWithTotals();
  Rows second = first;
  for (auto& row : second) row.insert(row.begin() + 1, row[0] == "Id" ? "Note" : "n");
  const Compared result = compare({{"T", first}}, {{"T", second}});
  EXPECT_EQ(result.transcript.starting("column "), Entries{"column added 2"});
  EXPECT_EQ(result.transcript.starting("row "), Entries{});
  EXPECT_EQ(result.transcript.starting("cell "), Entries{});
  EXPECT_EQ(result.differences, 1);
}

TEST(AlignedScenarios, SheetEdits) {
  const Rows a = {{"a", "1"}, {"a", "2"}}, b = {{"b", "1"}, {"b", "2"}};
  const Rows c = {{"c", "1"}, {"c", "2"}}, d = {{"d", "1"}};
  struct Case {
    const char* what;
    std::vector<NamedSheet> first, second;
    Entries tables;
    long differences;
  };
  const std::vector<Case> cases = {
      {"two sheets swapped",
       {{"A", a}, {"B", b}, {"C", c}},
       {{"B", b}, {"A", a}, {"C", c}},
       {"table A|A positions 1/2 moved", "table B|B positions 2/1", "table C|C positions 3/3"},
       1},
      {"a sheet added in the middle",
       {{"A", a}, {"B", b}},
       {{"A", a}, {"D", d}, {"B", b}},
       {"table A|A positions 1/1", "table |D positions 0/2 added", "table B|B positions 2/3"},
       1},
      {"a sheet removed",
       {{"A", a}, {"D", d}, {"B", b}},
       {{"A", a}, {"B", b}},
       {"table A|A positions 1/1", "table D| positions 2/0 removed", "table B|B positions 3/2"},
       1},
      {"a sheet renamed",
       {{"A", a}, {"B", b}},
       {{"A", a}, {"Bee", b}},
       {"table A|A positions 1/1", "table B|Bee positions 2/2 renamed"},
       1},
  };
  for (const Case& c : cases) {
    const Compared result = compare(c.first, c.second);
    EXPECT_EQ(result.transcript.starting("table "), c.tables) << c.what;
    EXPECT_EQ(result.transcript.starting("cell "), Entries{}) << c.what;
    EXPECT_EQ(result.differences, c.differences) << c.what;
  }
}

TEST(AlignedScenarios, EntirelyDifferentRowsArePairedByPosition) {
  Rows first, second;
  for (int r = 0; r < 300; ++r) first.push_back({"x" + std::to_string(r)});
  for (int r = 0; r < 300; ++r) second.push_back({"y" + std::to_string(r)});
  const Compared result = compare({{"T", first}}, {{"T", second}});
  EXPECT_EQ(result.transcript.starting("row ").size(), 0u);
  EXPECT_EQ(result.transcript.starting("cell ").size(), 300u);
}

TEST(AlignedScenarios, LongEmptyStretchesTakeOneLine) {
  Rows first(3000), second;
  first[0] = {"top"};
  first[2999] = {"bottom"};
  second = first;
  second[2999] = {"changed"};
  const Compared result = compare({{"T", first}}, {{"T", second}});
  EXPECT_EQ(result.transcript.starting("empty "), Entries{"empty 2/2..2999"});
  EXPECT_EQ(result.transcript.starting("row "), Entries{});
  EXPECT_EQ(result.transcript.starting("cell "), Entries{"cell 3000/1 bottom|changed"});
}

TEST(AlignedScenarios, ASheetOfOneFileShowsOnlyItsRowsInUse) {
  Rows far(900000);
  far[0] = {"top"};
  far[899999] = std::vector<std::string>(300, "");
  far[899999].back() = "far";
  const Compared result = compare({{"A", {{"a"}}}}, {{"A", {{"a"}}}, {"Far", far}});
  EXPECT_EQ(result.transcript.starting("row "), (Entries{"row added 0/1", "row added 0/900000"}));
  EXPECT_EQ(result.differences, 1);
}

// Sheets whose one far cell makes their used area a million rows tall: each pair takes a
// line for the empty stretch, and the one changed far cell is found.
TEST(AlignedScenarios, SheetsWithAFarCellEach) {
  const auto farBook = [](const std::string& changed) {
    auto book = std::make_unique<StoredWorkbook>();
    for (int s = 0; s < 5; ++s) {
      StoredSheet& sheet = book->addSheet("S" + std::to_string(s));
      sheet.add(1, 1, "top");
      sheet.add(1048576, 1, s == 3 ? changed : "far");
    }
    book->finish();
    return book;
  };
  const auto book1 = farBook("far"), book2 = farBook("moved on");
  ResultTranscript transcript;
  EXPECT_EQ(alignedInto(transcript, *book1, *book2), 1);
  EXPECT_EQ(transcript.starting("empty ").size(), 5u);
  EXPECT_EQ(transcript.starting("cell "), Entries{"cell 1048576/1 far|moved on"});
}

}  // namespace
}  // namespace quill::test

namespace quill::test {
namespace {

// The rows of a small regional table with a totals row of its three number columns.
Rows smallTableWithTotals(const Rows& body) {
  Rows rows = {{"Region", "Q1", "Q2", "Q3"}};
  long sums[3] = {0, 0, 0};
  for (const auto& row : body) {
    rows.push_back(row);
    for (int k = 0; k < 3; ++k) sums[k] += std::stol(row[std::size_t(k + 1)]);
  }
  rows.push_back(
      {"Total", std::to_string(sums[0]), std::to_string(sums[1]), std::to_string(sums[2])});
  return rows;
}

TEST(AlignedScenarios, RowAppendedAboveTheTotalsLeavesTheTotalsAChangedRow) {
  const Rows body = {{"North", "1", "2", "3"}, {"South", "4", "5", "6"}, {"East", "7", "8", "9"}};
  Rows longer = body;
  longer.push_back({"West", "10", "11", "12"});
  const Compared result =
      compare({{"T", smallTableWithTotals(body)}}, {{"T", smallTableWithTotals(longer)}});
  EXPECT_EQ(result.transcript.starting("row "), Entries{"row added 0/5"});
  EXPECT_EQ(result.transcript.starting("cell ").size(), 3u);
  EXPECT_EQ(result.differences, 4);  // one row added, three totals changed
}

TEST(AlignedScenarios, ARowReplacedByAnUnrelatedOneIsRemovedAndAdded) {
  const Rows first = {{"Date", "Region", "Order", "Product", "Amount"},
                      {"2024-01-02", "East", "A-100", "Lamp", "40"},
                      {"2024-01-03", "South", "A-101", "Desk", "250"},
                      {"2024-01-04", "West", "A-102", "Chair", "90"}};
  Rows second = first;
  second[2] = {"2024-02-11", "Nordic", "B-977", "Shelf", "120"};
  const Compared result = compare({{"T", first}}, {{"T", second}});
  EXPECT_EQ(result.transcript.starting("row "), (Entries{"row removed 3/0", "row added 0/3"}));
  EXPECT_EQ(result.transcript.starting("cell "), Entries{});
}

TEST(AlignedScenarios, MovesAreOneItemEachAndTheirCellsAreCompared) {
  const Rows first = tableWithTotals();
  struct Case {
    const char* what;
    Rows second;
    long differences;
  };
  Rows rowMoved = first;
  std::rotate(rowMoved.begin() + 10, rowMoved.begin() + 11, rowMoved.begin() + 500);
  Rows movedAndChanged = rowMoved;
  movedAndChanged[499][2] = "12345";
  Rows columnsSwapped = first;
  for (auto& row : columnsSwapped) std::swap(row[2], row[3]);
  const std::vector<Case> cases = {
      {"a row moved", rowMoved, 1},
      {"a row moved and changed", movedAndChanged, 2},
      {"two columns swapped", columnsSwapped, 1},
  };
  for (const Case& c : cases) {
    const Compared result = compare({{"T", first}}, {{"T", c.second}});
    EXPECT_EQ(result.transcript.starting("row "), Entries{}) << c.what;
    EXPECT_EQ(result.transcript.starting("column "), Entries{}) << c.what;
    EXPECT_EQ(result.differences, c.differences) << c.what;
  }
}

TEST(AlignedScenarios, AReSortedTableIsOneReorderingPlusItsChanges) {
  Rows first = tableWithTotals();
  first.pop_back();
  Rows second(first.begin() + 1, first.end());
  std::stable_sort(second.begin(), second.end(),
                   [](const auto& a, const auto& b) { return a[2] < b[2]; });
  second.insert(second.begin(), first[0]);
  for (std::size_t r : {5u, 700u, 1500u}) second[r][3] = "99";
  const Compared result = compare({{"T", first}}, {{"T", second}});
  EXPECT_EQ(result.transcript.starting("row "), Entries{});
  EXPECT_EQ(result.transcript.starting("cell ").size(), 3u);
  EXPECT_EQ(result.differences, 4);  // the reordering and three values
}

}  // namespace
}  // namespace quill::test

namespace quill {
namespace {

TEST(MovedItems, AMoveIsListedOnceBeforeItsCellsAndAReorderingOncePerTable) {
  CellPair changed;
  changed.column1 = changed.column2 = 2;
  changed.difference = DifferenceKind::DifferentValue;
  Line line;
  line.row1 = 4;
  line.row2 = 9;
  line.moved = true;
  line.cells = std::span<const CellPair>(&changed, 1);
  std::vector<std::string> listed;
  const auto note = [&](const DifferenceItem& item) {
    listed.push_back(std::string(itemKindNames(item.kind).text) + " " + std::to_string(item.row1) +
                     "/" + std::to_string(item.row2) + " " + std::to_string(item.column1) + "/" +
                     std::to_string(item.column2));
  };
  visitLineItems(line, false, note);
  const std::vector<ColumnPair> columns = {{1, 1}, {3, 2, true}, {2, 3}};
  TableStart table;
  table.aligned = true;
  table.rowsReordered = true;
  table.columns = columns;
  visitColumnItems(table, note);
  EXPECT_EQ(listed, (std::vector<std::string>{"row moved 4/9 0/0", "different value 4/9 2/2",
                                              "rows reordered 0/0 0/0", "column moved 0/0 3/2"}));
  Counted counted;
  for (ItemKind kind : {ItemKind::RowMoved, ItemKind::ColumnMoved, ItemKind::RowsReordered}) {
    ASSERT_TRUE(countedAs(kind, counted));
    EXPECT_EQ(counted, Counted::Moves);
  }
}

}  // namespace
}  // namespace quill
