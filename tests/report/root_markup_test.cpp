#include "report/root_markup.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

TEST(RootMarkup, KeepsWhatLiesBetweenTheRootTags) {
  struct Case {
    const char* document;
    const char* inner;
  };
  for (const Case& c :
       {Case{"<html><head></head><body>x</body></html>", "<head></head><body>x</body>"},
        Case{"<!doctype html>\n<HTML lang=en>a</Html>\r\n", "a"}, Case{"<html></html>", ""},
        Case{"<htmlx>a</htmlx>", "<htmlx>a</htmlx>"},
        Case{"<html>a <p>&lt;/html&gt;</p></html>", "a <p>&lt;/html&gt;</p>"},
        Case{"<html><body>unfinished", "<html><body>unfinished"}, Case{"no markup", "no markup"}}) {
    EXPECT_EQ(innerRootMarkup(c.document), c.inner) << c.document;
  }
}

}  // namespace
}  // namespace quill
