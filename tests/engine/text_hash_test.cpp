// The comparable form of a text, which row hashes are made of, under the case and blank
// options.
#include "engine/text_hash.h"

#include <gtest/gtest.h>

#include "engine/loose_text.h"

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
      // Greek, Cyrillic and Latin Extended-A capitals fold as in the loose cell equality.
      {true, false, "\xCE\xA3\xCE\x9B \xD0\x96\xD0\x81 \xC4\x8C\xC5\x81\xC5\xB8",
       "\xCF\x83\xCE\xBB \xD0\xB6\xD1\x91 \xC4\x8D\xC5\x82\xC3\xBF"},
      // A byte that is not UTF-8 stays as it is.
      {true, true,
       "\xFF"
       "A\xC3",
       "\xFF"
       "a\xC3"},
  };
  for (const Case& c : cases) {
    ComparisonOptions options;
    options.ignoreCase = c.ignoreCase;
    options.ignoreSpaces = c.ignoreSpaces;
    EXPECT_EQ(comparableText(options, c.text), c.expected) << c.text;
    EXPECT_EQ(textHash(options, c.text), textHash(ComparisonOptions{}, c.expected)) << c.text;
  }
}

// Two texts have the same comparable form exactly when the loose cell equality holds, so that
// rows equal under the options hash alike.
TEST(TextHash, FormsAgreeWithLooseEquality) {
  const std::vector<std::string> texts = {
      "Stra\xC3\x9F"
      "e",
      "\xCE\x91\xCE\xB8\xCE\x97\xCE\x9D\xCE\x91",
      "\xCE\xB1\xCE\xB8\xCE\xB7\xCE\xBD\xCE\xB1",
      "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0",
      "\xD0\xBC\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0",
      "\xC5\x81\xC3\xB3"
      "d\xC5\xBA",
      "\xC5\x82\xC3\xB3"
      "d\xC5\xBA",
      "a \xC2\xA0 b",
      "A\tB",
      "ab",
      "\xE0\x80\x80",
      "\xC4\xB0",
      "i"};
  for (const bool ignoreCase : {false, true}) {
    for (const bool ignoreSpaces : {false, true}) {
      ComparisonOptions options;
      options.ignoreCase = ignoreCase;
      options.ignoreSpaces = ignoreSpaces;
      for (const std::string& first : texts) {
        for (const std::string& second : texts) {
          const bool loose = looseTextsEqual(first, second, ignoreCase, ignoreSpaces);
          EXPECT_EQ(comparableText(options, first) == comparableText(options, second), loose)
              << first << " / " << second;
          if (loose) {
            EXPECT_EQ(textHash(options, first), textHash(options, second));
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace quill
