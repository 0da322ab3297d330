// The rows and columns modes compared aligned: a column inserted into a table, a row
// inserted, and rows paired by key with the columns aligned each report just the edit made.
#include <gtest/gtest.h>

#include "engine/columns_comparison.h"
#include "engine/rows_comparison.h"
#include "request_run.h"

namespace quill::test {
namespace {

using Entries = std::vector<std::string>;

// A table of `rows` rows under a header: id, name, amount; `extra` (when set) is a column
// inserted before the amount, `inserted` (from 1) a data row inserted before that row.
TestSheet table(int rows, bool extra, int inserted = 0) {
  TestSheet sheet{"T", {{"A1", "id"}, {"B1", "name"}}};
  const std::string amount = extra ? "D" : "C";
  if (extra) sheet.cells.push_back({"C1", "note"});
  sheet.cells.push_back({amount + "1", "amount"});
  int row = 2;
  for (int i = 1; i <= rows; ++i, ++row) {
    if (i == inserted) {
      const std::string r = std::to_string(row++);
      sheet.cells.push_back({"A" + r, "new"});
      sheet.cells.push_back({"B" + r, "inserted"});
      sheet.cells.push_back({amount + r, "0"});
    }
    const std::string r = std::to_string(row);
    sheet.cells.push_back({"A" + r, "k" + std::to_string(i)});
    sheet.cells.push_back({"B" + r, "name " + std::to_string(i)});
    if (extra) sheet.cells.push_back({"C" + r, "n" + std::to_string(i)});
    sheet.cells.push_back({amount + r, std::to_string(i * 10)});
  }
  return sheet;
}

// The transposed table: the header down column A, one column per record.
TestSheet turned(const TestSheet& sheet) {
  TestSheet out{sheet.name, {}};
  for (const auto& [address, text] : sheet.cells) {
    const std::size_t digits = address.find_first_of("0123456789");
    const int column = address[0] - 'A' + 1;
    const int row = std::stoi(address.substr(digits));
    out.cells.push_back({std::string(1, char('A' + row - 1)) + std::to_string(column), text});
  }
  return out;
}

ComparisonRun& aligned(ComparisonRun& run, Mode mode, const std::string& identifying = "",
                       bool matchKey = false) {
  run.request.sheet1 = 1;
  run.request.mode = mode;
  run.request.range1 = mode == Mode::Rows ? "$A:$D" : "$1:$4";
  run.request.identifying = identifying;
  run.request.options.align = true;
  run.request.options.matchKey = matchKey;
  if (mode == Mode::Rows)
    run.run(compareRows);
  else
    run.run(compareColumns);
  return run;
}

TEST(AlignedKeyedModes, ColumnInsertedIntoRowsTableIsOneColumn) {
  ComparisonRun run({table(20, false)}, {table(20, true)});
  aligned(run, Mode::Rows);
  EXPECT_EQ(run.outcome.differences, 1);
  EXPECT_EQ(run.transcript.starting("column "), Entries{"column added 3"});
  EXPECT_EQ(run.transcript.starting("difference "), Entries{});
}

TEST(AlignedKeyedModes, RowInsertedIntoRowsTableIsOneRow) {
  ComparisonRun run({table(20, false)}, {table(20, false, 5)});
  aligned(run, Mode::Rows);
  EXPECT_EQ(run.outcome.differences, 1);
  EXPECT_EQ(run.transcript.starting("row "), Entries{"row added 0/6"});
}

TEST(AlignedKeyedModes, KeyMatchedRowsWithAColumnInsertedReportTheColumnAndTheValue) {
  TestSheet second = table(20, true);
  second.cells.back().second = "999";  // the last amount
  ComparisonRun run({table(20, false)}, {second});
  aligned(run, Mode::Rows, "A", true);
  EXPECT_EQ(run.outcome.differences, 2);
  EXPECT_EQ(run.transcript.starting("column "), Entries{"column added 3"});
  EXPECT_EQ(run.transcript.starting("difference "),
            Entries{"difference C21/D21 different value 200|999"});
}

TEST(AlignedKeyedModes, ColumnsModeAlignsRecordsAndFields) {
  // Records run across; one record inserted and one field inserted.
  ComparisonRun inserted({turned(table(8, false))}, {turned(table(8, false, 3))});
  aligned(inserted, Mode::Columns);
  EXPECT_EQ(inserted.outcome.differences, 1);
  EXPECT_EQ(inserted.transcript.starting("column "), Entries{"column added 4"});

  ComparisonRun field({turned(table(8, false))}, {turned(table(8, true))});
  aligned(field, Mode::Columns, "1", true);
  EXPECT_EQ(field.outcome.differences, 1);
  EXPECT_EQ(field.transcript.starting("row "), Entries{"row added 0/3"});
}

TEST(AlignedKeyedModes, IdentifyingColumnsWithoutMatchingCompareTheKeyOfAlignedRows) {
  TestSheet second = table(10, false, 4);
  second.cells.back().second = "changed amount";  // not a key cell: not compared
  ComparisonRun run({table(10, false)}, {second});
  aligned(run, Mode::Rows, "A");
  EXPECT_EQ(run.outcome.differences, 1);
  EXPECT_EQ(run.transcript.starting("row "), Entries{"row added 0/5"});
}

}  // namespace
}  // namespace quill::test
