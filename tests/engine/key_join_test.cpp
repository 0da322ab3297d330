// Rows paired by key: any order, duplicates in order of appearance and flagged, rows of one
// table alone reported as such.
#include "engine/key_join.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quill {
namespace {

TEST(KeyJoin, PairsByKey) {
  struct Case {
    std::vector<std::string> keys1, keys2;
    std::vector<KeyedPair> expected;
  };
  const std::vector<Case> cases = {
      {{"a", "b", "c"}, {"a", "b", "c"}, {{0, 0}, {1, 1}, {2, 2}}},
      {{"a", "b", "c"}, {"c", "a", "b"}, {{0, 1}, {1, 2}, {2, 0}}},
      {{"a", "b"}, {"b", "x"}, {{0, -1}, {1, 0}, {-1, 1}}},
      {{}, {"x", "y"}, {{-1, 0}, {-1, 1}}},
      {{"x"}, {}, {{0, -1}}},
      // Duplicates pair in order of appearance; the one left over is removed.
      {{"d", "a", "d", "d"}, {"d", "d", "a"}, {{0, 0, true}, {1, 2}, {2, 1, true}, {3, -1, true}}},
      // A key repeated in the second table only is flagged on both of its rows.
      {{"k"}, {"k", "k"}, {{0, 0, true}, {-1, 1, true}}},
  };
  for (const Case& c : cases) EXPECT_EQ(joinByKey(c.keys1, c.keys2), c.expected);
}

TEST(KeyJoin, EmptyRowsAreLeftOut) {
  // The first table's last row lies past its end (the area spans the longer table): empty.
  const std::vector<std::string> keys1 = {"a", "", "b", ""}, keys2 = {"b", "a", "", "c"};
  const std::vector<bool> held1 = {true, false, true, false}, held2 = {true, true, false, true};
  const std::vector<KeyedPair> expected = {{0, 1}, {2, 0}, {-1, 3}};
  EXPECT_EQ(joinHeldByKey(keys1, held1, keys2, held2), expected);
}

TEST(KeyJoin, JoinedKeysKeepTheirTextsApart) {
  const std::vector<std::string> split1 = {"ab", "c"}, split2 = {"a", "bc"}, whole = {"abc"};
  EXPECT_NE(joinedKey(split1), joinedKey(split2));
  EXPECT_NE(joinedKey(split1), joinedKey(whole));
  EXPECT_EQ(joinedKey(split1), joinedKey(std::vector<std::string>{"ab", "c"}));
}

}  // namespace
}  // namespace quill
