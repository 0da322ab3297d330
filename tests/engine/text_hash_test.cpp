// The comparable form of a text, which row hashes are made of, under the case and blank
// options.
#include "engine/text_hash.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

TEST(TextHash, ComparableForms) {
  struct Case {
    bool ignoreCase, ignoreSpaces;
    std::string text, expected;
  };
  const std::vector<Case> cases = {
      {false, false,
       "A  b\t\xC2\xA0"
       "C",
       "A  b\t\xC2\xA0"
       "C"},
      {true, false, "AbC \xC3\x89t\xC3\xA9 \xC3\x97", "abc \xC3\xA9t\xC3\xA9 \xC3\x97"},
      {false, true, "a  \t\xC2\xA0 b ", "a b "},
      {true, true, "\xC3\x9C  X", "\xC3\xBC x"},
  };
  for (const Case& c : cases) {
    ComparisonOptions options;
    options.ignoreCase = c.ignoreCase;
    options.ignoreSpaces = c.ignoreSpaces;
    EXPECT_EQ(comparableText(options, c.text), c.expected) << c.text;
    EXPECT_EQ(textHash(options, c.text), textHash(ComparisonOptions{}, c.expected)) << c.text;
  }
}

}  // namespace
}  // namespace quill
