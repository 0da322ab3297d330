#include "engine/key_join.h"

#include <string_view>
#include <unordered_map>

namespace quill {

namespace {

// Where a key occurs in the second table, and how many of those rows are paired yet.
struct KeyRows {
  std::vector<long> rows;
  std::size_t taken = 0;
  long countInFirst = 0;
};

}  // namespace

std::vector<KeyedPair> joinByKey(std::span<const std::string> keys1,
                                 std::span<const std::string> keys2) {
  std::unordered_map<std::string_view, KeyRows> byKey;
  byKey.reserve(keys2.size());
  for (std::size_t j = 0; j < keys2.size(); ++j) byKey[keys2[j]].rows.push_back(long(j));
  for (const std::string& key : keys1) ++byKey[key].countInFirst;
  std::vector<KeyedPair> pairs;
  pairs.reserve(keys1.size() + keys2.size());
  std::vector<bool> paired2(keys2.size(), false);
  for (std::size_t i = 0; i < keys1.size(); ++i) {
    KeyRows& rows = byKey[keys1[i]];
    const bool duplicate = rows.countInFirst > 1 || rows.rows.size() > 1;
    if (rows.taken < rows.rows.size()) {
      const long j = rows.rows[rows.taken++];
      paired2[std::size_t(j)] = true;
      pairs.push_back({long(i), j, duplicate});
    } else {
      pairs.push_back({long(i), -1, duplicate});
    }
  }
  for (std::size_t j = 0; j < keys2.size(); ++j) {
    if (paired2[j]) continue;
    const KeyRows& rows = byKey[keys2[j]];
    pairs.push_back({-1, long(j), rows.countInFirst > 1 || rows.rows.size() > 1});
  }
  return pairs;
}

std::vector<KeyedPair> joinHeldByKey(std::span<const std::string> keys1,
                                     const std::vector<bool>& held1,
                                     std::span<const std::string> keys2,
                                     const std::vector<bool>& held2) {
  const auto heldOnly = [](std::span<const std::string> keys, const std::vector<bool>& held,
                           std::vector<long>& indexes) {
    std::vector<std::string> kept;
    for (std::size_t i = 0; i < keys.size(); ++i)
      if (held[i]) kept.push_back(keys[i]), indexes.push_back(long(i));
    return kept;
  };
  std::vector<long> indexes1, indexes2;
  const std::vector<std::string> kept1 = heldOnly(keys1, held1, indexes1);
  const std::vector<std::string> kept2 = heldOnly(keys2, held2, indexes2);
  std::vector<KeyedPair> pairs = joinByKey(kept1, kept2);
  for (KeyedPair& pair : pairs) {
    if (pair.index1 >= 0) pair.index1 = indexes1[std::size_t(pair.index1)];
    if (pair.index2 >= 0) pair.index2 = indexes2[std::size_t(pair.index2)];
  }
  return pairs;
}

std::string joinedKey(std::span<const std::string> texts) {
  std::string key;
  for (const std::string& text : texts) {
    key += std::to_string(text.size());
    key += ':';
    key += text;
  }
  return key;
}

}  // namespace quill
