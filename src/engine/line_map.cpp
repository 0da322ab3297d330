#include "engine/line_map.h"

namespace quill {

LineMap::LineMap(const std::vector<std::pair<long, long>>& pairs, long last1, long last2)
    : pairs_(pairs),
      second_(std::size_t(last1 + 1), 0),
      first_(std::size_t(last2 + 1), 0),
      last1_(last1),
      last2_(last2) {
  for (const auto& [line1, line2] : pairs) {
    if (line1 <= 0 || line2 <= 0 || line1 > last1 || line2 > last2) continue;
    second_[std::size_t(line1)] = line2;
    first_[std::size_t(line2)] = line1;
  }
}

long LineMap::toSecond(long line1) const {
  if (line1 <= 0) return 0;
  if (line1 > last1_) return line1 - last1_ + last2_;
  return second_[std::size_t(line1)];
}

long LineMap::toFirst(long line2) const {
  if (line2 <= 0) return 0;
  if (line2 > last2_) return line2 - last2_ + last1_;
  return first_[std::size_t(line2)];
}

}  // namespace quill
