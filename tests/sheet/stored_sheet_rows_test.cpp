#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/stored_workbook.h"

namespace quill {
namespace {

// A row read in one pass must give what cell-by-cell lookups give, wherever the window of
// columns starts and however far it reaches past the cells of the row.
TEST(StoredSheetRows, RowTextsMatchCellLookups) {
  StoredWorkbook book;
  StoredSheet& sheet = book.addSheet("Sparse");
  std::mt19937 random(99);
  for (int i = 0; i < 3000; ++i) {
    const long row = long(random() % 60) + 1;  // added out of order, some positions twice
    const long column = long(random() % 40) + 1;
    sheet.add(row, column,
              "r" + std::to_string(row) + "c" + std::to_string(column) + "#" + std::to_string(i));
  }
  book.finish();

  const struct {
    long firstColumn;
    std::size_t width;
  } windows[] = {{1, 40}, {1, 1}, {7, 5}, {35, 20}, {41, 3}, {1, 0}, {20, 1}};
  for (const auto& window : windows) {
    std::vector<std::string_view> texts(window.width, "stale");
    for (long row = 1; row <= 62; ++row) {
      sheet.rowTexts(row, window.firstColumn, texts);
      for (std::size_t i = 0; i < texts.size(); ++i)
        ASSERT_EQ(texts[i], sheet.cellText(row, window.firstColumn + long(i)))
            << "row " << row << ", column " << window.firstColumn + long(i);
    }
  }
}

TEST(StoredSheetRows, LaterCellAtAPositionWinsAndBlanksAreEmpty) {
  StoredWorkbook book;
  StoredSheet& sheet = book.addSheet("S");
  sheet.add(2, 3, "first");
  sheet.add(1, 1, "a");
  sheet.add(2, 3, "  second ");
  sheet.add(2, 1, "   ");  // only blanks: no cell
  book.finish();
  std::vector<std::string_view> texts(4);
  sheet.rowTexts(2, 1, texts);
  EXPECT_EQ(texts, (std::vector<std::string_view>{"", "", "second", ""}));
  sheet.rowTexts(3, 1, texts);
  EXPECT_EQ(texts, (std::vector<std::string_view>{"", "", "", ""}));
}

// Cells whose texts come later behave as if added with those texts: an empty one as never
// added, so that it neither shows nor hides an earlier cell at its position.
TEST(StoredSheetRows, PendingCellsTakeTheirTextsLater) {
  StoredWorkbook book;
  StoredSheet& sheet = book.addSheet("S");
  sheet.add(1, 1, "kept");
  const std::size_t hidden = sheet.addPending(1, 1);  // empty: must not hide "kept"
  const std::size_t replacing = sheet.addPending(1, 2);
  sheet.add(1, 2, "replaced later");
  const std::size_t later = sheet.addPending(1, 2);
  const std::size_t empty = sheet.addPending(2, 5);
  const std::size_t plain = sheet.addPending(3, 1);
  sheet.setPendingText(hidden, "");
  sheet.setPendingText(replacing, "first");
  sheet.setPendingText(later, "last wins");
  sheet.setPendingText(empty, "");
  sheet.setPendingText(plain, "text");
  book.finish();
  EXPECT_EQ(sheet.cellText(1, 1), "kept");
  EXPECT_EQ(sheet.cellText(1, 2), "last wins");
  EXPECT_EQ(sheet.cellText(2, 5), "");
  EXPECT_EQ(sheet.cellText(3, 1), "text");
  EXPECT_EQ(sheet.cellCount(), 3u);
  EXPECT_EQ(sheet.usedArea().lastColumn, 2);  // the dropped cell in column 5 counts for nothing
}

}  // namespace
}  // namespace quill
