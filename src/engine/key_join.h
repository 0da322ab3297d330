#pragma once

#include <span>
#include <string>
#include <vector>

namespace quill {

// A row (column) of each table paired by key, or one of one table alone (the other index
// is -1). Indexes count from 0.
struct KeyedPair {
  long index1 = -1;
  long index2 = -1;
  bool duplicateKey = false;  // the key occurs more than once in either table
  friend bool operator==(const KeyedPair&, const KeyedPair&) = default;
};

// Pairs two tables' rows by their keys (each the comparable texts of a row's identifying
// cells, joined): the n-th row of a key in the first table with the n-th of the same key in
// the second. The result follows the first table's order; the second table's rows without a
// partner follow at the end in their own order.
std::vector<KeyedPair> joinByKey(std::span<const std::string> keys1,
                                 std::span<const std::string> keys2);

// joinByKey over the rows that hold anything (held[i] true): empty rows, which an area
// spanning both files' rows gives the shorter one, are neither paired nor added or removed.
// The result's indexes count over all rows.
std::vector<KeyedPair> joinHeldByKey(std::span<const std::string> keys1,
                                     const std::vector<bool>& held1,
                                     std::span<const std::string> keys2,
                                     const std::vector<bool>& held2);

// The key of one row: its identifying texts, each preceded by its length, so that no two
// different lists of texts give the same key.
std::string joinedKey(std::span<const std::string> texts);

}  // namespace quill
