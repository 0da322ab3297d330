#include "report/grid_pages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/mapped_file.h"
#include "grid_documents.h"
#include "report/escape.h"

namespace quill::test {
namespace {

using Kind = GridTableSpec::Kind;

const std::vector<GridTableSpec> kTables = {
    {Kind::Sheet, "Short", 2, 3},          {Kind::Sheet, "Long & <wide>", 300, 7},
    {Kind::KeyedRows, "KeyedRows", 40, 4}, {Kind::KeyedColumns, "KeyedColumns", 25, 2},
    {Kind::Sheet, "Empty", 0, 2},
};

std::string_view slice(std::string_view text, std::size_t start, std::size_t end) {
  return text.substr(start, end - start);
}

std::string escapedName(std::string_view anchor) {
  std::string name = "name=\"";
  appendHtmlEscaped(name, anchor);
  return name + "\"";
}

TEST(GridPagesTest, PagesOfEachTableJoinBackToItsRowsUnderItsHeading) {
  const BuiltGrid built = buildGrid(kTables);
  const std::string_view document = built.document;
  for (std::size_t pageBytes :
       {std::size_t(1), std::size_t(700), std::size_t(20000), std::size_t(1) << 30}) {
    SCOPED_TRACE(pageBytes);
    const GridPaging paging = splitGridPages(document, pageBytes);
    ASSERT_FALSE(paging.pages.empty());
    EXPECT_TRUE(document.substr(paging.headEnd).starts_with("<h3>Short</h3><table colls=4><tr>"));
    EXPECT_EQ(slice(document, paging.headEnd - 11, paging.headEnd), "</font></p>");
    EXPECT_EQ(document.substr(paging.tailStart), "<br></body></html>");

    std::size_t table = 0;
    std::string joined;
    long expectedRow = 1;
    for (std::size_t page = 0; page < paging.pages.size(); ++page) {
      const GridPage& shown = paging.pages[page];
      if (page > 0 && shown.headingStart != paging.pages[page - 1].headingStart) {
        ASSERT_EQ(joined, built.tableRows[table]);
        ++table;
        joined.clear();
        expectedRow = 1;
      }
      const std::string_view heading = slice(document, shown.headingStart, shown.headingEnd);
      EXPECT_TRUE(heading.starts_with("<h3>") || heading.starts_with("<font size=+1>"));
      EXPECT_EQ(heading.find("<tr>"), heading.find("<table colls=") + 15);
      EXPECT_EQ(heading.find("<tr>", heading.find("<tr>") + 1), std::string_view::npos);
      const std::string_view rows = slice(document, shown.rowsStart, shown.rowsEnd);
      if (!rows.empty()) {
        EXPECT_TRUE(rows.starts_with("<tr>"));
        EXPECT_EQ(shown.firstRow, expectedRow);
        expectedRow = shown.lastRow + 1;
        // A page stops at the first row that reaches its size.
        const std::size_t lastRow = rows.rfind("<tr>");
        EXPECT_LT(lastRow, std::max<std::size_t>(pageBytes, 1));
      }
      joined += rows;
    }
    EXPECT_EQ(joined, built.tableRows[table]);
    EXPECT_EQ(table + 1, kTables.size());
  }
}

TEST(GridPagesTest, PageCountsFollowThePageSize) {
  const BuiltGrid built = buildGrid(kTables);
  // One row a page; a table without rows still gets its page.
  EXPECT_EQ(splitGridPages(built.document, 1).pages.size(), 2u + 300 + 40 + 25 + 1);
  EXPECT_EQ(splitGridPages(built.document, std::size_t(1) << 30).pages.size(), kTables.size());
  const GridPaging paging = splitGridPages(built.document, 1);
  EXPECT_EQ(paging.pages[1].title, "Short");
  EXPECT_EQ(paging.pages[2].title, "Long &amp; &lt;wide&gt;");
  EXPECT_EQ(paging.pages[2 + 300].title, "Rows A1 - C9");
  EXPECT_EQ(paging.pages.back().title, "Empty");
  EXPECT_EQ(paging.pages[2 + 299].lastRow, 300);
}

TEST(GridPagesTest, DocumentsWithoutGridTablesHaveNoPages) {
  for (const std::string& document :
       {std::string(), std::string("<html><body><h3>x</h3></body></html>"), buildGrid({}).document,
        std::string("<h3>Cut</h3><table colls=2><tr><td class='header'></td><tr>")}) {
    EXPECT_TRUE(splitGridPages(document, 100).pages.empty()) << document;
  }
}

TEST(GridPagesTest, EveryAnchorIsFoundOnThePageThatShowsIt) {
  const BuiltGrid built = buildGrid(kTables);
  for (std::size_t pageBytes : {std::size_t(1), std::size_t(3000)}) {
    const GridPaging paging = splitGridPages(built.document, pageBytes);
    std::size_t lastPage = 0;
    const AnchorIndex index(built.document);
    for (const std::string& anchor : built.anchors) {
      const auto page = findAnchorPage(built.document, paging, anchor);
      ASSERT_TRUE(page) << anchor;
      EXPECT_EQ(findAnchorPage(index, paging, anchor), page) << anchor;
      EXPECT_GE(*page, lastPage) << anchor;
      lastPage = *page;
      EXPECT_NE(
          gridPageMarkup(built.document, paging, *page, "visualized.htm").find(escapedName(anchor)),
          std::string::npos)
          << anchor;
    }
    EXPECT_EQ(lastPage + 1, paging.pages.size() - 1);  // the empty table follows
  }
  const GridPaging paging = splitGridPages(built.document, 3000);
  const AnchorIndex index(built.document);
  for (std::string_view missing : {"Short!Z99", "Short!C", "", "Long & <wide>!A1"}) {
    EXPECT_FALSE(findAnchorPage(built.document, paging, missing)) << missing;
    EXPECT_FALSE(findAnchorPage(index, paging, missing)) << missing;
  }
}

TEST(GridPagesTest, PageMarkupIsHeadNavigationOneSliceAndTail) {
  const BuiltGrid built = buildGrid(kTables);
  const GridPaging paging = splitGridPages(built.document, 1);
  const std::string_view head = std::string_view(built.document).substr(0, paging.headEnd);

  const std::string first = gridPageMarkup(built.document, paging, 0, "visualized.htm");
  EXPECT_TRUE(first.starts_with(head));
  const std::string firstNavigation =
      "<div id=\"quillmere-page\"><p>Rows 1 to 1 of Short (page 1 of 368) "
      "<a href=\"visualized.htm?page=2\">next page &gt;</a></p><h3>Short</h3>";
  EXPECT_EQ(first.substr(head.size(), firstNavigation.size()), firstNavigation);
  EXPECT_TRUE(first.ends_with("</td></table></div><br></body></html>"));
  EXPECT_EQ(first.find("<tr><td class='header'>2</td>"), std::string::npos);

  const std::string middle = gridPageMarkup(built.document, paging, 100, "visualized.htm");
  EXPECT_NE(middle.find("<p>Rows 99 to 99 of Long &amp; &lt;wide&gt; (page 101 of 368) "
                        "<a href=\"visualized.htm?page=100\">&lt; previous page</a> "
                        "<a href=\"visualized.htm?page=102\">next page &gt;</a></p>"),
            std::string::npos);
  EXPECT_EQ(middle.find("<h3>Short</h3>"), std::string::npos);

  const std::string last = gridPageMarkup(built.document, paging, 367, "visualized.htm");
  EXPECT_NE(last.find("(page 368 of 368) <a href=\"visualized.htm?page=367\">&lt; previous "
                      "page</a></p><h3>Empty</h3>"),
            std::string::npos);
  EXPECT_TRUE(last.ends_with("<td class='header'>2</td></table></div><br></body></html>"));
}

TEST(GridPagesTest, RowsCountedPartWayNumberThePagesAsCountingAllDoes) {
  const BuiltGrid built = buildGrid(kTables);
  const GridPaging all = splitGridPages(built.document, 700);
  GridPaging lazy = cutGridPages(built.document, 700);
  ASSERT_EQ(lazy.pages.size(), all.pages.size());
  EXPECT_EQ(lazy.rowsCounted, 0u);
  // In steps that end inside and at the end of tables, and past the last page.
  for (std::size_t through : {std::size_t(0), std::size_t(5), all.pages.size() / 2,
                              all.pages.size() - 1, all.pages.size() + 3}) {
    countGridRows(built.document, lazy, through);
    const std::size_t counted = std::min(through + 1, all.pages.size());
    ASSERT_EQ(lazy.rowsCounted, counted);
    for (std::size_t page = 0; page < counted; ++page) {
      EXPECT_EQ(lazy.pages[page].firstRow, all.pages[page].firstRow) << page;
      EXPECT_EQ(lazy.pages[page].lastRow, all.pages[page].lastRow) << page;
    }
  }
}

TEST(GridPagesTest, TheFirstPagesCutAloneAreTheFirstOfAllPages) {
  const BuiltGrid built = buildGrid(kTables);
  const GridPaging all = splitGridPages(built.document, 700);
  // Stopping inside the first table, at its end, and inside a later table.
  for (std::size_t count : {std::size_t(1), std::size_t(2), std::size_t(40)}) {
    SCOPED_TRACE(count);
    GridPaging first = cutGridPages(built.document, 700, count);
    EXPECT_FALSE(first.complete);
    ASSERT_EQ(first.pages.size(), count);
    EXPECT_EQ(first.headEnd, all.headEnd);
    EXPECT_EQ(first.tailStart, all.tailStart);
    for (std::size_t page = 0; page < count; ++page) {
      EXPECT_EQ(first.pages[page].headingEnd, all.pages[page].headingEnd);
      EXPECT_EQ(first.pages[page].rowsStart, all.pages[page].rowsStart);
      EXPECT_EQ(first.pages[page].rowsEnd, all.pages[page].rowsEnd);
    }
    countGridRows(built.document, first, 0);
    // The page count is not known yet; the next page is there all the same.
    EXPECT_NE(gridPageBody(built.document, first, 0, "v.htm")
                  .find("(page 1 of &hellip;) <a href=\"v.htm?page=2\">"),
              std::string::npos);
  }
  EXPECT_TRUE(cutGridPages(built.document, 700, all.pages.size()).complete);
}

TEST(GridPagesTest, APageBodyIsWhatItsMarkupHoldsInTheSwappedPart) {
  const BuiltGrid built = buildGrid(kTables);
  const GridPaging paging = splitGridPages(built.document, 3000);
  for (std::size_t page : {std::size_t(0), std::size_t(3), paging.pages.size() - 1}) {
    const std::string body = gridPageBody(built.document, paging, page, "visualized.htm");
    const std::string markup = gridPageMarkup(built.document, paging, page, "visualized.htm");
    EXPECT_NE(markup.find("<div id=\"quillmere-page\">" + body + "</div>"), std::string::npos)
        << page;
    EXPECT_TRUE(body.starts_with("<p>Rows ")) << page;
    EXPECT_TRUE(body.ends_with("</table>")) << page;
  }
}

TEST(GridPagesTest, AMappedDocumentIsCutAsItsBytesInMemoryAre) {
  const BuiltGrid built = buildGrid(kTables);
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() /
      ("quillmere-grid-" + std::to_string(testing::UnitTest::GetInstance()->random_seed()));
  std::ofstream(path, std::ios::binary) << built.document;
  const MappedFile mapped(path.string());
  // Deleted once mapped, as the window's temporary documents are.
  std::filesystem::remove(path);
  ASSERT_EQ(mapped.bytes(), built.document);
  const GridPaging fromMap = splitGridPages(mapped.bytes(), 3000);
  const GridPaging fromMemory = splitGridPages(built.document, 3000);
  ASSERT_EQ(fromMap.pages.size(), fromMemory.pages.size());
  for (std::size_t page = 0; page < fromMap.pages.size(); ++page) {
    EXPECT_EQ(fromMap.pages[page].rowsStart, fromMemory.pages[page].rowsStart);
    EXPECT_EQ(fromMap.pages[page].rowsEnd, fromMemory.pages[page].rowsEnd);
    EXPECT_EQ(gridPageMarkup(mapped.bytes(), fromMap, page, "v.htm"),
              gridPageMarkup(built.document, fromMemory, page, "v.htm"));
  }
  EXPECT_EQ(findAnchorPage(mapped.bytes(), fromMap, built.anchors.back()),
            findAnchorPage(built.document, fromMemory, built.anchors.back()));
}

TEST(GridPagesTest, PageQueriesNameOnlyExistingPages) {
  const BuiltGrid built = buildGrid(kTables);
  const GridPaging paging = splitGridPages(built.document, std::size_t(1) << 30);
  const struct {
    std::string_view query;
    std::optional<std::size_t> page;
  } cases[] = {
      {"page=1", 0},
      {"page=5", 4},
      {"page=6", std::nullopt},
      {"page=0", std::nullopt},
      {"page=", std::nullopt},
      {"page=2x", std::nullopt},
      {"page=-1", std::nullopt},
      {"", std::nullopt},
      {"row=2", std::nullopt},
      {"page=99999999999999999999", std::nullopt},
  };
  for (const auto& [query, page] : cases) EXPECT_EQ(pageOfQuery(query, paging), page) << query;
}

}  // namespace
}  // namespace quill::test
