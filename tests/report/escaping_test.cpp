// Values, sheet names and paths reach the documents shown, never obeyed as markup, and links
// to odd sheet names still land. The layout of each piece is checked by the golden documents.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "report/documents.h"
#include "report/templates.h"

namespace quill {
namespace {

std::string built(const std::function<void(std::string&)>& append) {
  std::string out;
  append(out);
  return out;
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

TEST(FileLinks, AreFileUrlsOfTheAbsolutePathShowingThePathAsGiven) {
  const std::string here = std::filesystem::current_path().string();
  const struct {
    std::string path, link;
  } cases[] = {
      {"/tmp/a&b <1>.xlsx",
       "<a href=\"file:///tmp/a%26b%20%3C1%3E.xlsx\">/tmp/a&amp;b &lt;1&gt;.xlsx</a>"},
      {"a.xlsx", "<a href=\"file://" + here + "/a.xlsx\">a.xlsx</a>"},
      {"./in/../b.xlsx", "<a href=\"file://" + here + "/b.xlsx\">./in/../b.xlsx</a>"},
  };
  for (const auto& c : cases) {
    const std::string head = reportDocumentHead({c.path, c.path, "now", ""});
    EXPECT_NE(head.find(c.link), std::string::npos) << head;
    EXPECT_EQ(head.find("file:////"), std::string::npos) << head;
  }
}

}  // namespace
}  // namespace quill
