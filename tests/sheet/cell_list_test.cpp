#include "sheet/cell_list.h"

#include <gtest/gtest.h>

#include <string>

#include "sheet/address.h"

namespace quill {
namespace {

TEST(PackedCell, KeepsPositionAndTextAtTheLimits) {
  const std::string text(1000, 'x');
  const struct {
    long row;
    long column;
    std::size_t length;
  } cases[] = {{1, 1, 1},
               {kMaxRows, kMaxColumns, 1000},
               {kMaxRows, 1, 7},
               {1, kMaxColumns, 0},
               {524288, 8192, 999}};
  for (const auto& c : cases) {
    const PackedCell cell(c.row, c.column, std::string_view(text).substr(0, c.length));
    EXPECT_EQ(cell.row(), c.row);
    EXPECT_EQ(cell.column(), c.column);
    EXPECT_EQ(cell.text().data(), text.data());
    EXPECT_EQ(cell.text().size(), c.length);
  }
  // Positions order by row, then column, whatever the texts.
  EXPECT_LT(PackedCell(1, kMaxColumns, "long text").position(), PackedCell(2, 1, "").position());
  EXPECT_LT(PackedCell(3, 4, "b").position(), PackedCell(3, 5, "a").position());
  EXPECT_EQ(PackedCell(3, 4, "b").position(), PackedCell(3, 4, "other").position());
}

TEST(CellList, GrowsAcrossManyPagesKeepingEveryCell) {
  CellList list;
  const std::string text = "abcdefghij";
  const long count = 300000;  // several doublings of the mapped block
  for (long i = 0; i < count; ++i)
    list.push_back(PackedCell(i / 20 + 1, i % 20 + 1, std::string_view(text).substr(0, i % 11)));
  ASSERT_EQ(list.size(), std::size_t(count));
  for (long i = 0; i < count; i += 997) {
    EXPECT_EQ(list[std::size_t(i)].row(), i / 20 + 1);
    EXPECT_EQ(list[std::size_t(i)].column(), i % 20 + 1);
    EXPECT_EQ(list[std::size_t(i)].text().size(), std::size_t(i % 11));
  }
  list.truncate(5);
  EXPECT_EQ(list.size(), 5u);
  EXPECT_EQ(list.back().column(), 5);
  list.push_back(PackedCell(9, 9, "z"));
  EXPECT_EQ(list.back().text(), "z");
}

}  // namespace
}  // namespace quill
