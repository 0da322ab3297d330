// Row and column alignment: inserted, deleted and changed elements are found at their
// places, every element appears once in order, and inputs without anchors fall back to
// pairing by position.
#include "engine/sequence_alignment.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quill {
namespace {

std::vector<std::uint64_t> hashesOf(const std::string& letters) {
  return std::vector<std::uint64_t>(letters.begin(), letters.end());
}

// The alignment as one mark per step: '=' equal pair, '~' changed pair, '-' removed, '+'
// added; fails the test when a step is out of order or an element is missing.
std::string marks(const std::vector<std::uint64_t>& first, const std::vector<std::uint64_t>& second,
                  const std::vector<AlignedPair>& steps) {
  std::string shown;
  long next1 = 0, next2 = 0;
  for (const AlignedPair& step : steps) {
    if (step.index1 >= 0) {
      EXPECT_EQ(step.index1, next1++);
    }
    if (step.index2 >= 0) {
      EXPECT_EQ(step.index2, next2++);
    }
    if (step.index1 < 0)
      shown += '+';
    else if (step.index2 < 0)
      shown += '-';
    else
      shown += first[std::size_t(step.index1)] == second[std::size_t(step.index2)] ? '=' : '~';
  }
  EXPECT_EQ(next1, long(first.size()));
  EXPECT_EQ(next2, long(second.size()));
  return shown;
}

TEST(SequenceAlignment, LetterSequences) {
  struct Case {
    std::string first, second, expected;
  };
  const std::vector<Case> cases = {
      {"abcdef", "abcdef", "======"},
      {"abcdef", "abXcdef", "==+===="},
      {"abcdef", "acdef", "=-===="},
      {"abcdef", "abXdef", "==~==="},
      {"abcdef", "bacdef", "-=+===="},
      {"abcdef", "cdefab", "--====++"},
      {"aaab", "aab", "==-="},
      {"", "abc", "+++"},
      {"abc", "", "---"},
      {"", "", ""},
      {"abc", "xyz", "~~~"},
      {"abcd", "xy", "~~--"},
      {"axbxcx", "xbxcxa", "-=====+"},
      {"aabb", "bbaa", "++==--"},  // only repeated elements: the rarest anchors
  };
  for (const Case& c : cases) {
    const auto first = hashesOf(c.first), second = hashesOf(c.second);
    EXPECT_EQ(marks(first, second, alignSequences(first, second)), c.expected)
        << c.first << " / " << c.second;
  }
}

TEST(SequenceAlignment, UnevenSmallStretchesArePairedByLikeness) {
  // Between the anchors a and b: x is like z only, so y is added before the changed pair.
  const auto first = hashesOf("axb"), second = hashesOf("ayzb");
  const auto alike = [](long i, long j) { return i == 1 && j == 2; };
  EXPECT_EQ(marks(first, second, alignSequences(first, second, alike)), "=+~=");
  // Nothing alike: removed and added instead of a changed pair.
  const auto nothingAlike = [](long, long) { return false; };
  EXPECT_EQ(marks(first, second, alignSequences(first, second, nothingAlike)), "=-++=");
  // Lengths alone pair nothing: stretches as long on both sides with nothing alike are
  // removed and added.
  EXPECT_EQ(marks(hashesOf("axb"), hashesOf("ayb"),
                  alignSequences(hashesOf("axb"), hashesOf("ayb"), nothingAlike)),
            "=-+=");
}

TEST(SequenceAlignment, EvenStretchesPairTheMostAlikeInOrder) {
  // x is most like z, y like nothing: the better pairing, not the one by position.
  const auto first = hashesOf("axyb"), second = hashesOf("azwb");
  const auto alike = [](long i, long j) {
    return i == 1 && j == 1 ? 0.9 : i == 2 && j == 1 ? 0.6 : 0.0;
  };
  EXPECT_EQ(marks(first, second, alignSequences(first, second, alike)), "=~-+=");
}

// The moves of an alignment as "index1>index2", in the order of the steps.
std::string movesOf(const std::vector<AlignedPair>& steps) {
  std::string shown;
  for (const AlignedPair& step : steps)
    if (step.moved) shown += std::to_string(step.index1) + ">" + std::to_string(step.index2) + " ";
  return shown;
}

TEST(SequenceAlignment, ElementsOutOfOrderAreMoves) {
  struct Case {
    std::string first, second, moves;
  };
  const std::vector<Case> cases = {
      {"abcdef", "bcdefa", "0>5 "},                  // one element moved to the end
      {"abcdef", "abdcef", "2>3 "},                  // two neighbours swapped: one move
      {"abcdef", "fedcba", "4>1 3>2 2>3 1>4 0>5 "},  // reversed: all but one move
      {"aabb", "bbaa", ""},                          // repeated elements never move
      {"abc", "abc", ""},
  };
  for (const Case& c : cases) {
    const auto first = hashesOf(c.first), second = hashesOf(c.second);
    const auto steps = alignSequences(first, second, {}, true);
    EXPECT_EQ(movesOf(steps), c.moves) << c.first << " / " << c.second;
    EXPECT_EQ(steps.size(), std::max(first.size(), second.size()) + (c.first == "aabb" ? 2 : 0))
        << c.first;
  }
}

TEST(SequenceAlignment, AMovedElementThatChangedMovesByLikeness) {
  // x moved from the front to the end and changed into y there.
  const auto first = hashesOf("xabcd"), second = hashesOf("abcdy");
  const auto alike = [](long i, long j) { return i == 0 && j == 4 ? 0.7 : 0.0; };
  EXPECT_EQ(movesOf(alignSequences(first, second, alike, true)), "0>4 ");
  // Two equally good partners: no move.
  const auto twice = hashesOf("abcdyz");
  const auto tie = [](long i, long j) { return i == 0 && j >= 4 ? 0.7 : 0.0; };
  EXPECT_EQ(movesOf(alignSequences(first, twice, tie, true)), "");
}

// A table with a totals row: one row inserted near the top changes the totals too.
TEST(SequenceAlignment, RowInsertedAboveATotalsRow) {
  std::vector<std::uint64_t> first, second;
  for (std::uint64_t row = 1; row <= 2000; ++row) first.push_back(row);
  first.push_back(999999);
  second = first;
  second.insert(second.begin() + 3, 500000);
  second.back() = 999998;
  const std::string shown = marks(first, second, alignSequences(first, second));
  EXPECT_EQ(shown.substr(0, 5), "===+=");
  EXPECT_EQ(shown.back(), '~');
  EXPECT_EQ(std::count(shown.begin(), shown.end(), '='), 2000);
}

TEST(SequenceAlignment, EntirelyDifferentLongSequencesArePairedByPosition) {
  std::vector<std::uint64_t> first, second;
  for (std::uint64_t i = 0; i < 200000; ++i) first.push_back(2 * i), second.push_back(2 * i + 1);
  second.push_back(7);
  const std::string shown = marks(first, second, alignSequences(first, second));
  EXPECT_EQ(shown, std::string(200000, '~') + "+");
}

TEST(SequenceAlignment, RepeatedElementsAllAppearOnce) {
  // Few distinct values, many repeats: anchors come from the rarest ones within budget.
  std::vector<std::uint64_t> first, second;
  for (std::uint64_t i = 0; i < 30000; ++i) first.push_back(i % 3), second.push_back(i % 5);
  marks(first, second, alignSequences(first, second));
}

TEST(LongestIncreasingRun, PositionsOfTheLongestRun) {
  struct Case {
    std::vector<long> values;
    std::vector<std::size_t> expected;
  };
  const std::vector<Case> cases = {
      {{}, {}},
      {{5}, {0}},
      {{1, 2, 3}, {0, 1, 2}},
      {{2, 1, 3}, {1, 2}},
      {{3, 1, 2, 0, 4}, {1, 2, 4}},
      {{4, 3, 2, 1}, {3}},
  };
  for (const Case& c : cases) EXPECT_EQ(longestIncreasingRun(c.values), c.expected);
}

}  // namespace
}  // namespace quill
