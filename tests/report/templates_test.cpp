#include "report/templates.h"

#include <gtest/gtest.h>

#include <functional>

namespace quill {
namespace {

std::string built(const std::function<void(std::string&)>& append) {
  std::string out;
  append(out);
  return out;
}

constexpr const char* kFocus =
    " href=#null onfocus=\"this.parentElement.style.border='0.2mm solid red';\" "
    "onblur=\"this.parentElement.style.border='0.2mm solid white';\" name=\"";

TEST(ReportRows, MatchTheirTemplatesByteForByte) {
  EXPECT_EQ(built([](auto& o) { appendMissingValueRow(o, "C:\\a.xls", "Sheet1!C2"); }),
            "<tr><td align=left>Missing value in </td><td colspan=3 align=left>C:\\a.xls!<a "
            "href=\"visualized.htm#Sheet1!C2\" target=\"Visualized\" "
            "onclick=\"Visualized=window.open(this.href,'Visualized');Visualized.focus();\">"
            "Sheet1!C2</a></td></tr>");
  EXPECT_EQ(built([](auto& o) { appendDifferentValueRow(o, "Sheet1!C2", "1", "2"); }),
            "<tr><td align=left>Different value</td><td><a href=\"visualized.htm#Sheet1!C2\" "
            "target=\"Visualized\" "
            "onclick=\"Visualized=window.open(this.href,'Visualized');Visualized.focus();\">"
            "Sheet1!C2</a></td><td>1</td><td>2</td></tr>");
}

TEST(GridCells, MatchTheirTemplatesByteForByte) {
  EXPECT_EQ(built([](auto& o) { appendSheetHeading(o, "Sheet1", 3); }),
            "<h3>Sheet1</h3><table colls=3><tr>");
  EXPECT_EQ(built([](auto& o) { appendHeaderCorner(o); }), "<td class='header'></td>");
  EXPECT_EQ(built([](auto& o) { appendHeaderCell(o, "AB"); }), "<td class='header'>AB</td>");
  EXPECT_EQ(built([](auto& o) { appendHeaderCell(o, 12); }), "<td class='header'>12</td>");
  EXPECT_EQ(built([](auto& o) { appendDataCell(o, "x"); }), "<td class='data'>&nbsp;x&nbsp;</td>");
  EXPECT_EQ(built([](auto& o) { appendDataCell(o, ""); }), "<td class='data'>&nbsp;&nbsp;</td>");
  EXPECT_EQ(
      built([](auto& o) { appendChangedCell(o, "S!B2", "old", "new"); }),
      std::string("<td class='data'><a class='nullhref'") + kFocus +
          "S!B2\">&nbsp;old <span style='background-color: yellow'>new</span>&nbsp;</a></td>");
  EXPECT_EQ(built([](auto& o) { appendCommentCell(o, "f.xls", "S!B2", "v"); }),
            std::string(
                "<td class='comment' title='Missing value: in f.xls!S!B2'><a class=\"nullhref\"") +
                kFocus +
                "S!B2\">&nbsp;v <span style='background-color: yellow'></span>&nbsp;</a></td>");
  EXPECT_EQ(
      built([](auto& o) { appendAddedCell(o, "f.xls", "S!A3", "3"); }),
      std::string("<td class='added'><a class=\"nullhref\"") + kFocus + "f.xls!S!A3\">3</a></td>");
  EXPECT_EQ(built([](auto& o) { appendRemovedCell(o, "f.xls", "S!@3", "3"); }),
            std::string("<td class='removed'><a class=\"nullhref\"") + kFocus +
                "f.xls!S!@3\">3</a></td>");
}

TEST(GridCells, PairedFormsAddOneCell) {
  EXPECT_EQ(built([](auto& o) { appendPairedDataCell(o, "x"); }),
            "<td class='data'>&nbsp;x&nbsp;</td><td>&nbsp</td>");
  EXPECT_EQ(
      built([](auto& o) { appendPairedChangedCell(o, "S!B2", "a", "b"); }),
      std::string("<td class='data'><a class='nullhref'") + kFocus +
          "S!B2\">&nbsp;a</td><td> <span style='background-color: yellow'>b</span>&nbsp;</a></td>");
  EXPECT_EQ(built([](auto& o) { appendPairedCommentCell(o, "f", "S!B2", "v"); }),
            built([](auto& o) { appendCommentCell(o, "f", "S!B2", "v"); }) + "<td>&nbsp</td>");
}

TEST(KeyedHeadings, CarryTheirLegends) {
  EXPECT_EQ(built([](auto& o) { appendRowsHeading(o, "2", "9", 4); }),
            "<font size=+1>Rows 2 - 9&nbsp;&nbsp;&nbsp;(<span style='background-color:#3366FF'>"
            "&nbsp;&nbsp;</span>&nbsp; - Row added&nbsp;&nbsp;&nbsp;<span "
            "style='background-color:#FF6666'>&nbsp;&nbsp;</span>&nbsp; - Row removed)</Font>"
            "<table colls=4><tr>");
  EXPECT_EQ(built([](auto& o) { appendColumnsHeading(o, "A", "F", 7); }),
            "<font size=+1>Columns A - F&nbsp;&nbsp;&nbsp;(<span style='background-color:#3366FF'>"
            "&nbsp;&nbsp;</span>&nbsp; - Column added&nbsp;&nbsp;&nbsp;<span "
            "style='background-color:#FF6666'>&nbsp;&nbsp;</span>&nbsp; - Column removed)</Font>"
            "<table colls=7><tr>");
}

TEST(Escaping, MarkupInValuesIsShownNotObeyed) {
  EXPECT_EQ(built([](auto& o) { appendDataCell(o, "<b>&\"'"); }),
            "<td class='data'>&nbsp;&lt;b&gt;&amp;&quot;&#39;&nbsp;</td>");
  EXPECT_EQ(built([](auto& o) { appendSheetHeading(o, "A&B", 1); }),
            "<h3>A&amp;B</h3><table colls=1><tr>");
}

TEST(Escaping, LinksToOddSheetNamesStillLand) {
  const std::string anchor = cellAnchor("Q1 #2 \xC3\xA9", 3, 2);
  EXPECT_EQ(anchor, "Q1 #2 \xC3\xA9!B3");
  const std::string row = built([&](auto& o) { appendDifferentValueRow(o, anchor, "a", "b"); });
  EXPECT_NE(row.find("href=\"visualized.htm#Q1%20%232%20%C3%A9!B3\""), std::string::npos);
  EXPECT_NE(row.find(">Q1 #2 \xC3\xA9!B3</a>"), std::string::npos);
  const std::string cell = built([&](auto& o) { appendChangedCell(o, "it's!B3", "a", "b"); });
  EXPECT_NE(cell.find("name=\"it&#39;s!B3\""), std::string::npos);
}

}  // namespace
}  // namespace quill
