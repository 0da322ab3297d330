#include "report/shown_text_search.h"

#include <gtest/gtest.h>

namespace quill::test {
namespace {

TEST(ShownTextSearchTest, FindsTextsAsShownOutsideTagsWithoutRegardToCase) {
  const std::string_view markup =
      "<tr><td class='data'>&nbsp;Steel Bolts &amp; &lt;nuts&gt;&nbsp;</td>"
      "<td class='header'>42</td><td><a name=\"Sheet1!B2\">&nbsp;1500 <span>1450</span></a>";
  struct Case {
    std::string_view text;
    bool found;
  };
  for (const Case& c :
       {Case{"steel bolts", true}, Case{"BOLTS & <NUTS>", true}, Case{"42", true},
        Case{"1450", true}, Case{"class", false}, Case{"header", false}, Case{"Sheet1", false},
        Case{"1500 1450", false}, Case{"", false}, Case{"nuts>&", false}})
    EXPECT_EQ(shownTextContains(markup, c.text), c.found) << c.text;
  EXPECT_FALSE(shownTextContains("ab", "abc"));
  EXPECT_TRUE(shownTextContains("abc", "abc"));
}

}  // namespace
}  // namespace quill::test
