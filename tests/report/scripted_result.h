#pragma once

#include <span>
#include <string_view>

#include "engine/comparison_result.h"

namespace quill::test {

inline CellPair cell(long column1, long column2, std::string_view text1, std::string_view text2,
                     DifferenceKind difference = DifferenceKind::None, bool identifying = false) {
  CellPair pair;
  pair.column1 = column1;
  pair.column2 = column2;
  pair.text1 = text1;
  pair.text2 = text2;
  pair.difference = difference;
  pair.identifying = identifying;
  return pair;
}

inline TableStart table(std::string_view sheet1, std::string_view sheet2, long position1,
                        long position2, std::span<const ColumnPair> columns,
                        TableLayout layout = TableLayout::Sheet) {
  TableStart start;
  start.layout = layout;
  start.sheet1 = sheet1;
  start.sheet2 = sheet2;
  start.inFirst = position1 > 0;
  start.inSecond = position2 > 0;
  start.position1 = position1;
  start.position2 = position2;
  start.anchorSheet = position1 > 0 ? sheet1 : sheet2;
  start.columns = columns;
  return start;
}

inline Line line(LineKind kind, long row1, long row2, std::span<const CellPair> cells) {
  Line made;
  made.kind = kind;
  made.row1 = row1;
  made.row2 = row2;
  made.cells = cells;
  return made;
}

// Tells a sink a made-up result that holds every kind of line, difference and sheet pair a
// comparison can give, as the engine would tell it.
inline void playEveryKind(ResultSink& sink) {
  using enum DifferenceKind;
  sink.begin({"/data/old book.xlsx", "/data/new book.xlsx", "2024-05-06 07:08:09",
              "Comparing A1:C9\nOptions: ignore case"});

  // Sheet1, first area: every cell difference, texts that need quoting and escaping, a
  // folded stretch of empty columns and folded empty rows.
  const ColumnPair plain[] = {{1, 1}, {2, 2}, {3, 3}};
  sink.beginTable(table("Sheet1", "Sheet1", 1, 1, plain));
  const CellPair row1[] = {cell(1, 1, "12", "13", DifferentValue),
                           cell(2, 2, "x", "", MissingInSecond),
                           cell(3, 3, "", "y, \"z\"", MissingInFirst)};
  sink.line(line(LineKind::Compared, 1, 1, row1));
  CellPair row2[] = {cell(1, 1, "6", "6", DifferentFormula),
                     cell(2, 2, "tab\there", "\x1b[31mred\x07 and \xff", DifferentValue),
                     cell(3, 3, "", "")};
  row2[0].formula1 = "=SUM(A1:A3)";
  row2[0].formula2 = "=SUM(A1:A4)";
  row2[2].emptyThrough = 40;
  sink.line(line(LineKind::Compared, 2, 2, row2));
  Line empty = line(LineKind::EmptyRows, 3, 3, {});
  empty.lastRow1 = 2000;
  sink.line(empty);
  sink.endTable();

  // Sheet1, a second area at other places in the two files.
  const ColumnPair shifted[] = {{5, 6}};
  sink.beginTable(table("Sheet1", "Sheet1", 1, 1, shifted));
  const CellPair moved[] = {cell(5, 6, "a", "b", DifferentValue)};
  sink.line(line(LineKind::Compared, 10, 12, moved));
  sink.endTable();

  // A keyed table: a row whose key matches, and one whose key changed.
  const ColumnPair keyed[] = {{1, 1}, {2, 2}};
  TableStart keys = table("Keys", "Keys", 2, 2, keyed, TableLayout::KeyedRows);
  keys.firstLabel = "2";
  keys.lastLabel = "3";
  keys.spanned = 2;
  keys.keyed = true;
  sink.beginTable(keys);
  const CellPair same[] = {cell(1, 1, "k1", "k1", None, true), cell(2, 2, "v", "w")};
  sink.line(line(LineKind::KeyUnchanged, 2, 2, same));
  const CellPair key[] = {cell(1, 1, "k2", "k3", DifferentValue, true), cell(2, 2, "v", "v")};
  sink.line(line(LineKind::KeyChanged, 3, 3, key));
  sink.endTable();

  // A sheet only the second file has.
  const ColumnPair lone[] = {{1, 1}};
  sink.beginTable(table("Extra", "Extra", 0, 3, lone));
  const CellPair added[] = {cell(1, 1, "", "new", MissingInFirst)};
  sink.line(line(LineKind::Compared, 1, 1, added));
  sink.endTable();

  // A renamed and moved sheet with aligned rows and columns.
  const ColumnPair aligned[] = {{1, 1}, {0, 2}, {2, 0}};
  sink.beginTable(table("Old name", "New name", 3, 4, aligned));
  const CellPair kept[] = {cell(1, 1, "same", "same")};
  sink.line(line(LineKind::Compared, 1, 1, kept));
  const CellPair inserted[] = {cell(1, 1, "", "in")};
  sink.line(line(LineKind::RowAdded, 0, 2, inserted));
  const CellPair deleted[] = {cell(1, 1, "out", "")};
  sink.line(line(LineKind::RowRemoved, 2, 0, deleted));
  sink.endTable();

  sink.finish();
}

}  // namespace quill::test
