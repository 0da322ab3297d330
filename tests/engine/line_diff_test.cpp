#include "engine/line_diff.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

// Lines written one letter each: "abc" is the lines a, b and c.
std::vector<std::string_view> letters(std::string_view text) {
  std::vector<std::string_view> lines;
  for (std::size_t i = 0; i < text.size(); ++i) lines.push_back(text.substr(i, 1));
  return lines;
}

struct DiffCase {
  const char* name;
  const char* before;
  const char* after;
  const char* diff;
};

TEST(LineDiff, UnifiedHunksWithContext) {
  const DiffCase cases[] = {
      {"equal", "abc", "abc", ""},
      {"one changed", "abcdefgh", "abcXefgh", "@@ -1,7 +1,7 @@\n a\n b\n c\n-d\n+X\n e\n f\n g"},
      {"added at the end", "ab", "abc", "@@ -1,2 +1,3 @@\n a\n b\n+c"},
      {"removed at the start", "abc", "bc", "@@ -1,3 +1,2 @@\n-a\n b\n c"},
      {"from nothing", "", "ab", "@@ -0,0 +1,2 @@\n+a\n+b"},
      {"two hunks far apart", "a123456789b", "A123456789B",
       "@@ -1,4 +1,4 @@\n-a\n+A\n 1\n 2\n 3\n@@ -8,4 +8,4 @@\n 7\n 8\n 9\n-b\n+B"},
      {"near changes share a hunk", "a1234b", "A1234B",
       "@@ -1,6 +1,6 @@\n-a\n+A\n 1\n 2\n 3\n 4\n-b\n+B"},
  };
  for (const DiffCase& c : cases)
    EXPECT_EQ(unifiedDiff(letters(c.before), letters(c.after)), c.diff) << c.name;
}

TEST(LineDiff, PastTheEditBoundTheMiddleIsReplacedWhole) {
  EXPECT_EQ(unifiedDiff(letters("xabcy"), letters("xdefy"), 1, 2),
            "@@ -1,5 +1,5 @@\n x\n-a\n-b\n-c\n+d\n+e\n+f\n y");
}

TEST(LineDiff, LinesSplitAtEveryKindOfLineBreak) {
  EXPECT_EQ(splitLines("a\r\nb\rc\nd\n"), (std::vector<std::string_view>{"a", "b", "c", "d"}));
  EXPECT_EQ(splitLines("a\n\nb"), (std::vector<std::string_view>{"a", "", "b"}));
  EXPECT_TRUE(splitLines("").empty());
}

}  // namespace
}  // namespace quill
