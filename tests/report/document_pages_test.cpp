// The pages the results window shows, cut from the index the HTML writer records while it
// writes: each run of rows comes back whole from its pages, every listed difference's
// anchor is on the page its offset names, and recording changes no byte of the documents.
#include "report/document_pages.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "report/documents.h"
#include "report/escape.h"
#include "report/html_result_writer.h"
#include "report/page_links.h"
#include "scripted_result.h"
#include "support/temporary_folder.h"

namespace quill::test {
namespace {

using enum DifferenceKind;

// The two documents of a result, written with the index recorded or without.
struct Written {
  std::string list;
  std::string grid;
  DocumentIndex index;
};

// Plays a long result: sheets with differences scattered over hundreds of rows and texts
// that look like markup, keyed rows and columns, an aligned sheet and a sheet without rows.
void playLongResult(ResultSink& sink) {
  std::deque<std::string> texts;  // the lines' views point into these
  const auto text = [&](std::string value) -> std::string_view {
    return texts.emplace_back(std::move(value));
  };
  sink.begin({"/in/<table> a.xlsx", "/in/b.xlsx", "2026-01-02 03:04:05", "caption <tr>"});
  const ColumnPair columns[] = {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}};
  for (const auto& [name, rows] :
       {std::pair<std::string_view, long>{"Short", 2}, {"Long & <wide>", 300}}) {
    sink.beginTable(table(name, name, 1, 1, columns));
    for (long row = 1; row <= rows; ++row) {
      if (row % 50 == 0) {
        Line empty = line(LineKind::EmptyRows, row, row, {});
        empty.lastRow1 = row + 9;
        sink.line(empty);
        continue;
      }
      std::vector<CellPair> cells;
      const std::string_view old = text("<tr>old " + std::to_string(row));
      for (long column = 1; column <= 7; ++column) {
        const bool differs = (row + column) % 3 == 0;
        cells.push_back(cell(column, column, old, differs ? "new & \"quoted\" </table>" : old,
                             differs ? DifferentValue : None));
      }
      sink.line(line(LineKind::Compared, row, row, cells));
    }
    sink.endTable();
  }
  const ColumnPair keyed[] = {{1, 1}, {2, 2}};
  TableStart keys = table("Keys", "Keys", 2, 2, keyed, TableLayout::KeyedRows);
  keys.firstLabel = "A1";
  keys.lastLabel = "C9";
  keys.keyed = true;
  sink.beginTable(keys);
  for (long row = 1; row <= 40; ++row) {
    const std::string_view key = text("k" + std::to_string(row));
    const CellPair same[] = {cell(1, 1, key, key, None, true), cell(2, 2, "v", "v")};
    const CellPair changed[] = {cell(1, 1, key, "other", DifferentValue, true),
                                cell(2, 2, "v", "v")};
    if (row % 2 == 0)
      sink.line(line(LineKind::KeyChanged, row, row, changed));
    else
      sink.line(line(LineKind::KeyUnchanged, row, row, same));
  }
  sink.endTable();
  TableStart byColumns = table("Columns", "Columns", 3, 3, keyed, TableLayout::KeyedColumns);
  byColumns.firstLabel = "A1";
  byColumns.lastLabel = "B25";
  byColumns.keyed = true;
  sink.beginTable(byColumns);
  const CellPair header[] = {cell(1, 1, "id", "id"), cell(2, 2, "x", "y", DifferentValue)};
  sink.line(line(LineKind::KeyHeader, 1, 1, header));
  for (long row = 2; row <= 25; ++row) {
    const CellPair cells[] = {cell(1, 1, "1", "2", DifferentValue), cell(2, 2, "a", "a")};
    sink.line(line(LineKind::Compared, row, row, cells));
  }
  sink.endTable();
  const ColumnPair aligned[] = {{1, 1}, {0, 2}};
  TableStart moved = table("Old", "New", 4, 5, aligned);
  moved.aligned = moved.renamed = true;
  sink.beginTable(moved);
  for (long row = 1; row <= 20; ++row) {
    const CellPair inserted[] = {cell(1, 1, "", text("in " + std::to_string(row)))};
    sink.line(line(LineKind::RowAdded, 0, row, inserted));
  }
  sink.endTable();
  sink.beginTable(table("Empty", "Empty", 6, 6, columns));
  sink.endTable();
  sink.finish();
}

Written write(bool recorded) {
  TemporaryFolder folder;
  Written written;
  HtmlResultWriter writer(folder.path(), recorded ? &written.index : nullptr);
  playLongResult(writer);
  written.list = readFile(folder.path() / kReportFileName);
  written.grid = readFile(folder.path() / kGridFileName);
  return written;
}

std::string_view slice(std::string_view text, std::uint64_t start, std::uint64_t end) {
  return text.substr(start, end - start);
}

std::size_t count(std::string_view text, std::string_view needle) {
  std::size_t found = 0;
  for (auto at = text.find(needle); at != std::string_view::npos; at = text.find(needle, at + 1))
    ++found;
  return found;
}

const std::size_t kPageSizes[] = {1, 700, 20000, std::size_t(1) << 30};

TEST(DocumentPagesTest, RecordingTheIndexChangesNoByteOfTheDocuments) {
  const Written recorded = write(true);
  const Written plain = write(false);
  EXPECT_EQ(recorded.list, plain.list);
  EXPECT_EQ(recorded.grid, plain.grid);
  EXPECT_TRUE(plain.index.grid.runs.empty());
  EXPECT_EQ(recorded.index.grid.runs.size(), 6u);
}

TEST(DocumentPagesTest, GridPagesJoinBackToEachTablesRowsUnderItsHeading) {
  const Written written = write(true);
  const std::string_view grid = written.grid;
  for (std::size_t pageBytes : kPageSizes) {
    SCOPED_TRACE(pageBytes);
    const PagedDocument paged = cutPages(written.index.grid, pageBytes, PageNaming::GridRows);
    ASSERT_FALSE(paged.pages.empty());
    EXPECT_TRUE(grid.substr(paged.headEnd).starts_with("<h3>Short</h3><table colls=7><tr>"));
    EXPECT_EQ(grid.substr(paged.tailStart), "</body></html>");
    std::vector<std::string> joined(written.index.grid.runs.size());
    std::uint64_t expected = 1;
    for (std::size_t page = 0; page < paged.pages.size(); ++page) {
      const PageCut& shown = paged.pages[page];
      if (page > 0 && shown.run != paged.pages[page - 1].run) expected = 1;
      const std::string_view heading = slice(grid, shown.headingStart, shown.headingEnd);
      EXPECT_TRUE(heading.starts_with("<h3>") || heading.starts_with("<font size=+1>") ||
                  heading.starts_with("<a name=\""))
          << heading;
      EXPECT_EQ(shown.first, expected);
      expected = shown.last + 1;
      const std::string_view rows = slice(grid, shown.rowsStart, shown.rowsEnd);
      EXPECT_TRUE(rows.empty() || rows.starts_with("<tr>")) << rows.substr(0, 40);
      joined[shown.run] += rows;
    }
    for (std::size_t run = 0; run < joined.size(); ++run) {
      const MarkedRun& marked = written.index.grid.runs[run];
      EXPECT_EQ(joined[run], slice(grid, marked.rowsStart, marked.rowsEnd));
      EXPECT_TRUE(grid.substr(marked.rowsEnd).starts_with("</table>"));
    }
  }
}

TEST(DocumentPagesTest, PagesCountTheRowsTheGridShows) {
  const Written written = write(true);
  // One line a page; a table without rows still gets its page.
  const PagedDocument paged = cutPages(written.index.grid, 1, PageNaming::GridRows);
  EXPECT_EQ(paged.pages.size(), 2u + 300 + 40 + 24 + 20 + 1);
  EXPECT_EQ(paged.titles[1], "Long &amp; &lt;wide&gt;");
  EXPECT_EQ(paged.titles[2], "Rows A1 - C9");
  EXPECT_EQ(paged.titles[3], "Columns A1 - B25");
  // A changed key is shown as two rows; the key header joins the header row.
  const std::vector<std::uint64_t> totals = {2, 300, 60, 24, 20, 0};
  EXPECT_EQ(paged.totals, totals);
  for (const PageCut& page : paged.pages) {
    const std::string_view rows = slice(written.grid, page.rowsStart, page.rowsEnd);
    // A changed key's second row is opened by its first cell.
    EXPECT_EQ(count(rows, "<tr>") + count(rows, "</tr><td class='removed'>"),
              page.last + 1 - page.first)
        << rows;
  }
  const PagedDocument whole =
      cutPages(written.index.grid, std::size_t(1) << 30, PageNaming::GridRows);
  EXPECT_EQ(whole.pages.size(), 6u);
}

TEST(DocumentPagesTest, EveryListedAnchorIsOnThePageItsOffsetNames) {
  const Written written = write(true);
  const std::vector<std::pair<std::string, std::uint64_t>>& anchors = written.index.anchors;
  EXPECT_EQ(anchors.size(), std::size_t(written.index.list.runs.at(0).total));
  for (std::size_t pageBytes : {std::size_t(1), std::size_t(3000)}) {
    const PagedDocument paged = cutPages(written.index.grid, pageBytes, PageNaming::GridRows);
    for (const auto& [anchor, offset] : anchors) {
      const auto page = pageHolding(paged, offset);
      ASSERT_TRUE(page) << anchor;
      std::string name = "name=\"";
      appendHtmlEscaped(name, anchor);
      EXPECT_NE(pageMarkup(written.grid, paged, *page, "visualized.htm").find(name + "\""),
                std::string::npos)
          << anchor;
    }
    EXPECT_FALSE(pageHolding(paged, 0));
    EXPECT_FALSE(pageHolding(paged, written.grid.size()));
  }
  EXPECT_TRUE(written.index.anchorOffset("Keys!A2"));
  EXPECT_TRUE(written.index.anchorOffset("Old!"));  // the renamed sheet, in its heading
  for (std::string_view missing : {"Short!Z99", "Short!C", "", "Long &amp; <wide>!C2"})
    EXPECT_FALSE(written.index.anchorOffset(missing)) << missing;
}

TEST(DocumentPagesTest, ListPagesJoinBackToTheRowsAndNumberEveryDifference) {
  const Written written = write(true);
  const std::string_view list = written.list;
  const MarkedRun& run = written.index.list.runs.at(0);
  EXPECT_EQ(slice(list, run.headingStart, run.rowsStart), kListTableStart);
  EXPECT_EQ(count(slice(list, run.rowsStart, run.rowsEnd), "target=\"Visualized\""), run.total);
  for (std::size_t pageBytes : {std::size_t(0), std::size_t(1), std::size_t(900)}) {
    SCOPED_TRACE(pageBytes);
    const PagedDocument paged =
        cutPages(written.index.list, pageBytes, PageNaming::ListedDifferences);
    std::string joined;
    std::uint64_t next = 1;
    for (const PageCut& page : paged.pages) {
      const std::string_view rows = slice(list, page.rowsStart, page.rowsEnd);
      EXPECT_EQ(page.first, next);
      EXPECT_EQ(count(rows, "target=\"Visualized\""), page.last + 1 - page.first) << rows;
      // A page ends at the first line that starts its size or more after its start.
      EXPECT_TRUE(&page == &paged.pages.back() ||
                  rows.size() >= std::max<std::size_t>(pageBytes, 1));
      next = page.last + 1;
      joined += rows;
    }
    EXPECT_EQ(joined, slice(list, run.rowsStart, run.rowsEnd));
    EXPECT_EQ(next, run.total + 1);
  }
}

TEST(DocumentPagesTest, APageIsTheDocumentWithOtherRowsLeftOutAndALineToTheOthers) {
  const Written written = write(true);
  const PagedDocument paged = cutPages(written.index.list, 3000, PageNaming::ListedDifferences);
  ASSERT_GT(paged.pages.size(), 2u);
  const std::size_t last = paged.pages.size() - 1;
  const std::string_view list = written.list;
  for (std::size_t page : {std::size_t(0), std::size_t(1), last}) {
    SCOPED_TRACE(page);
    const PageCut& shown = paged.pages[page];
    const std::string body = pageBody(list, paged, page, "report.htm");
    const std::string markup = pageMarkup(list, paged, page, "report.htm");
    std::string line = "<p>Differences " + std::to_string(shown.first) + " to " +
                       std::to_string(shown.last) + " of " + std::to_string(paged.totals[0]) +
                       " (page " + std::to_string(page + 1) + " of " +
                       std::to_string(paged.pages.size()) + ")";
    if (page > 0)
      line += " <a href=\"report.htm?page=" + std::to_string(page) + "\">&lt; previous page</a>";
    if (page < last)
      line += " <a href=\"report.htm?page=" + std::to_string(page + 2) + "\">next page &gt;</a>";
    const std::string expectedBody = line + "</p><table>" +
                                     std::string(slice(list, shown.rowsStart, shown.rowsEnd)) +
                                     "</table>";
    EXPECT_EQ(body, expectedBody);
    EXPECT_EQ(markup, std::string(list.substr(0, paged.headEnd)) + "<div id=\"quillmere-page\">" +
                          expectedBody + "</div></body></html>");
  }
}

TEST(DocumentPagesTest, AGridPageShowsItsTableHeadingUnderItsLine) {
  const Written written = write(true);
  const PagedDocument paged = cutPages(written.index.grid, 1, PageNaming::GridRows);
  const std::string first = pageBody(written.grid, paged, 0, "visualized.htm");
  EXPECT_TRUE(
      first.starts_with("<p>Rows 1 to 1 of Short (page 1 of 387) "
                        "<a href=\"visualized.htm?page=2\">next page &gt;</a></p>"
                        "<h3>Short</h3>"))
      << first.substr(0, 200);
  EXPECT_TRUE(first.ends_with("</table>"));
  const std::string middle = pageBody(written.grid, paged, 100, "visualized.htm");
  EXPECT_TRUE(
      middle.starts_with("<p>Rows 99 to 99 of Long &amp; &lt;wide&gt; (page 101 of 387) "
                         "<a href=\"visualized.htm?page=100\">&lt; previous page</a> "
                         "<a href=\"visualized.htm?page=102\">next page &gt;</a></p>"
                         "<h3>Long &amp; &lt;wide&gt;</h3>"))
      << middle.substr(0, 200);
  const std::string keyHeader = pageBody(written.grid, paged, 2 + 300 + 40 + 5, "v.htm");
  EXPECT_EQ(count(keyHeader, "<tr>"), 2u) << "the key header stays in the heading";
}

TEST(DocumentPagesTest, PageQueriesNameOnlyExistingPages) {
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
  for (const auto& [query, page] : cases) EXPECT_EQ(pageOfQuery(query, 5), page) << query;
}

}  // namespace
}  // namespace quill::test
