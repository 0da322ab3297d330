#pragma once

#include <vector>

namespace quill {

// How the rows (or the columns) of two paired worksheets correspond, for what lies outside
// the compared cells as well: the listed pairs over the compared lines 1 .. last of each
// file, then past those, line after line in step. A comparison by position lists none, so
// that every line pairs with the same line.
class LineMap {
 public:
  LineMap() = default;
  // pairs: (line of file 1, line of file 2), 0 for a line the file lacks there.
  LineMap(const std::vector<std::pair<long, long>>& pairs, long last1, long last2);

  // The line of file 2 that line1 of file 1 pairs with; 0 when none does.
  long toSecond(long line1) const;
  // The line of file 1 that line2 of file 2 pairs with; 0 when none does.
  long toFirst(long line2) const;

  const std::vector<std::pair<long, long>>& pairs() const { return pairs_; }
  long last1() const { return last1_; }
  long last2() const { return last2_; }

 private:
  std::vector<std::pair<long, long>> pairs_;
  std::vector<long> second_;  // by line of file 1 up to last1
  std::vector<long> first_;   // by line of file 2 up to last2
  long last1_ = 0;
  long last2_ = 0;
};

}  // namespace quill
