#include "report/list_pages.h"

#include <gtest/gtest.h>

#include "report/documents.h"
#include "report/templates.h"

namespace quill::test {
namespace {

// A difference list built with the real templates: a table of rows, some of them empty as the
// keyed comparisons write them, with cell texts that look like the markup the pages are cut at.
struct BuiltList {
  std::string document;
  std::string rows;  // the table's rows, as written
  long differences = 0;
};

BuiltList buildList(long differences, bool keyed) {
  BuiltList built;
  for (long i = 1; i <= differences; ++i) {
    if (keyed && i % 4 == 0) built.rows += "<tr>";
    const std::string anchor = cellAnchor("Data <tr>", i, i % 5 + 1);
    if (i % 3 == 0)
      appendMissingValueRow(built.rows, "/in/target=\"Visualized\".xlsx", anchor);
    else
      appendDifferentValueRow(built.rows, anchor, "<table>" + std::to_string(i), "</table>");
  }
  built.differences = differences;
  const DocumentTitle title{"/in/<table>a.xlsx", "/in/b.xlsx", "2026-01-02 03:04:05", "caption"};
  const std::string opening = keyed ? "<table><tr>" : "";
  const std::string closing = keyed ? "</table>" : "";
  built.document = reportDocumentHead(title) + opening + built.rows + closing +
                   std::string(reportDocumentTail());
  if (keyed) built.rows = "<tr>" + built.rows;
  return built;
}

std::string_view slice(std::string_view text, std::size_t start, std::size_t end) {
  return text.substr(start, end - start);
}

TEST(ListPagesTest, PagesJoinBackToTheRowsAndNumberEveryDifference) {
  for (bool keyed : {false, true}) {
    const BuiltList built = buildList(240, keyed);
    const std::string_view document = built.document;
    for (std::size_t pageBytes :
         {std::size_t(0), std::size_t(1), std::size_t(900), std::size_t(1) << 30}) {
      SCOPED_TRACE(testing::Message() << "keyed " << keyed << ", page bytes " << pageBytes);
      const ListPaging paging = splitListPages(document, pageBytes);
      ASSERT_FALSE(paging.pages.empty());
      EXPECT_TRUE(document.substr(paging.tableStart).starts_with("<table>"));
      EXPECT_EQ(slice(document, paging.tableStart - 4, paging.tableStart), "</p>");
      EXPECT_EQ(paging.differences, built.differences);
      std::string joined;
      long next = 1;
      for (const ListPage& page : paging.pages) {
        const std::string_view rows = slice(document, page.rowsStart, page.rowsEnd);
        EXPECT_TRUE(rows.starts_with("<tr>"));
        // A page ends at the first row that starts its size or more after its start.
        EXPECT_LT(rows.rfind("<tr>"), std::max<std::size_t>(pageBytes, 1));
        EXPECT_EQ(page.firstDifference, next);
        EXPECT_GE(page.lastDifference, page.firstDifference - 1);
        next = page.lastDifference + 1;
        joined += rows;
      }
      EXPECT_EQ(joined, built.rows);
      EXPECT_EQ(next, built.differences + 1);
      EXPECT_TRUE(document.substr(paging.rowsEnd).starts_with("</table>"));
    }
  }
  // One row a page (an empty row of a keyed list is a page without a difference).
  EXPECT_EQ(splitListPages(buildList(240, false).document, 1).pages.size(), 240u);
  EXPECT_EQ(splitListPages(buildList(240, true).document, 1).pages.size(), 240u + 60 + 1);
}

TEST(ListPagesTest, APageIsTheDocumentWithOtherRowsLeftOutAndALineToTheOthers) {
  const BuiltList built = buildList(100, false);
  const ListPaging paging = splitListPages(built.document, 3000);
  ASSERT_GT(paging.pages.size(), 2u);
  const std::size_t last = paging.pages.size() - 1;
  for (std::size_t page : {std::size_t(0), std::size_t(1), last}) {
    SCOPED_TRACE(page);
    const ListPage& shown = paging.pages[page];
    const std::string markup = listPageMarkup(built.document, paging, page, "report.htm");
    const std::size_t line = markup.find("<p>Differences ");
    const std::string partStart = "<div id=\"quillmere-page\">";
    ASSERT_EQ(line, paging.tableStart + partStart.size());
    const std::size_t lineEnd = markup.find("</p>", line) + 4;
    const std::string_view navigation = slice(markup, line, lineEnd);
    const std::string expectedStart = "<p>Differences " + std::to_string(shown.firstDifference) +
                                      " to " + std::to_string(shown.lastDifference) +
                                      " of 100 (page " + std::to_string(page + 1) + " of " +
                                      std::to_string(paging.pages.size()) + ")";
    EXPECT_TRUE(navigation.starts_with(expectedStart)) << navigation;
    const std::string previous =
        "<a href=\"report.htm?page=" + std::to_string(page) + "\">&lt; previous page</a>";
    const std::string next =
        "<a href=\"report.htm?page=" + std::to_string(page + 2) + "\">next page &gt;</a>";
    EXPECT_EQ(navigation.find(previous) != std::string_view::npos, page > 0);
    EXPECT_EQ(navigation.find(next) != std::string_view::npos, page < last);

    const std::string_view document = built.document;
    const std::size_t tail = paging.rowsEnd + std::string_view("</table>").size();
    const std::string expected = std::string(document.substr(0, paging.tableStart)) + partStart +
                                 std::string(slice(document, paging.tableStart, paging.rowsStart)) +
                                 std::string(slice(document, shown.rowsStart, shown.rowsEnd)) +
                                 "</table></div>" + std::string(document.substr(tail));
    EXPECT_EQ(markup.substr(0, line) + markup.substr(lineEnd), expected);
  }
}

TEST(ListPagesTest, AListWithoutRowsHasNoPages) {
  const DocumentTitle title{"/a.xlsx", "/b.xlsx", "2026-01-02 03:04:05", ""};
  const std::string empty = reportDocumentHead(title) + std::string(reportDocumentTail());
  EXPECT_TRUE(splitListPages(empty, 1).pages.empty());
  EXPECT_TRUE(splitListPages("<html><body>no table <tr></body></html>", 1).pages.empty());
  EXPECT_TRUE(splitListPages("<table><tr><td>cut short", 1).pages.empty());
  EXPECT_TRUE(splitListPages("", 1).pages.empty());
}

}  // namespace
}  // namespace quill::test
