#include "engine/stretch_pairing.h"

#include <algorithm>
#include <cstddef>

namespace quill {

namespace {

// A stretch with up to this many element pairs is aligned whole; a longer one in blocks of
// about kBlockLength elements a side.
constexpr long kMostLikenessChecks = 1 << 14;
constexpr long kBlockLength = 32;
// Removed and added elements are compared for moves up to this many pairs of them.
constexpr long kMostMoveChecks = 1 << 20;

void appendUnpaired(std::vector<AlignedPair>& steps, std::span<const long> stretch1,
                    std::span<const long> stretch2) {
  for (long i : stretch1) steps.push_back({i, -1});
  for (long j : stretch2) steps.push_back({-1, j});
}

void pairByPosition(std::vector<AlignedPair>& steps, std::span<const long> stretch1,
                    std::span<const long> stretch2) {
  const std::size_t paired = std::min(stretch1.size(), stretch2.size());
  for (std::size_t k = 0; k < paired; ++k) steps.push_back({stretch1[k], stretch2[k]});
  appendUnpaired(steps, stretch1.subspan(paired), stretch2.subspan(paired));
}

// The pairing in order with the greatest sum of likeness, over every pair of the stretches.
void pairByLikeness(std::vector<AlignedPair>& steps, std::span<const long> stretch1,
                    std::span<const long> stretch2, const AlikeElements& alike) {
  const std::size_t rows = stretch1.size(), columns = stretch2.size();
  const auto at = [columns](std::size_t i, std::size_t j) { return i * (columns + 1) + j; };
  std::vector<double> best((rows + 1) * (columns + 1), 0.0);
  std::vector<char> pairs(best.size(), 0);
  for (std::size_t i = rows; i-- > 0;)
    for (std::size_t j = columns; j-- > 0;) {
      double value = std::max(best[at(i + 1, j)], best[at(i, j + 1)]);
      const double likeness = alike(stretch1[i], stretch2[j]);
      if (likeness > 0 && best[at(i + 1, j + 1)] + likeness > value) {
        value = best[at(i + 1, j + 1)] + likeness;
        pairs[at(i, j)] = 1;
      }
      best[at(i, j)] = value;
    }
  std::size_t i = 0, j = 0;
  while (i < rows && j < columns) {
    if (pairs[at(i, j)])
      steps.push_back({stretch1[i++], stretch2[j++]});
    else if (best[at(i + 1, j)] >= best[at(i, j + 1)])
      steps.push_back({stretch1[i++], -1});
    else
      steps.push_back({-1, stretch2[j++]});
  }
  appendUnpaired(steps, stretch1.subspan(i), stretch2.subspan(j));
}

}  // namespace

void pairStretch(std::vector<AlignedPair>& steps, std::span<const long> stretch1,
                 std::span<const long> stretch2, const AlikeElements& alike) {
  const long length1 = long(stretch1.size()), length2 = long(stretch2.size());
  if (length1 == 0 || length2 == 0) return appendUnpaired(steps, stretch1, stretch2);
  if (!alike) return pairByPosition(steps, stretch1, stretch2);
  if (length1 * length2 <= kMostLikenessChecks)
    return pairByLikeness(steps, stretch1, stretch2, alike);
  // Blocks cut at the same fraction of both sides, each aligned whole.
  const long blocks = (std::max(length1, length2) + kBlockLength - 1) / kBlockLength;
  for (long b = 0; b < blocks; ++b) {
    const long begin1 = length1 * b / blocks, end1 = length1 * (b + 1) / blocks;
    const long begin2 = length2 * b / blocks, end2 = length2 * (b + 1) / blocks;
    pairByLikeness(steps, stretch1.subspan(std::size_t(begin1), std::size_t(end1 - begin1)),
                   stretch2.subspan(std::size_t(begin2), std::size_t(end2 - begin2)), alike);
  }
}

std::vector<AlignedPair> takeMovesByLikeness(std::vector<AlignedPair>& steps,
                                             const AlikeElements& alike) {
  std::vector<std::size_t> removed, added;
  for (std::size_t k = 0; k < steps.size(); ++k) {
    if (steps[k].index2 < 0) removed.push_back(k);
    if (steps[k].index1 < 0) added.push_back(k);
  }
  std::vector<AlignedPair> moves;
  if (!alike || removed.empty() || added.empty() ||
      long(removed.size()) * long(added.size()) > kMostMoveChecks)
    return moves;
  // For each removed element its most alike added one, and the other way round; a tie for
  // the best leaves the element without a match (-1), so that only unique matches move.
  std::vector<double> bestOfRemoved(removed.size(), 0.0), bestOfAdded(added.size(), 0.0);
  std::vector<long> matchOfRemoved(removed.size(), -1), matchOfAdded(added.size(), -1);
  const auto offer = [](double likeness, long other, double& best, long& match) {
    if (likeness > best) {
      best = likeness;
      match = other;
    } else if (likeness == best && likeness > 0) {
      match = -1;
    }
  };
  for (std::size_t r = 0; r < removed.size(); ++r)
    for (std::size_t a = 0; a < added.size(); ++a) {
      const double likeness = alike(steps[removed[r]].index1, steps[added[a]].index2);
      offer(likeness, long(a), bestOfRemoved[r], matchOfRemoved[r]);
      offer(likeness, long(r), bestOfAdded[a], matchOfAdded[a]);
    }
  std::vector<char> taken(steps.size(), 0);
  for (std::size_t r = 0; r < removed.size(); ++r) {
    const long a = matchOfRemoved[r];
    if (a < 0 || matchOfAdded[std::size_t(a)] != long(r)) continue;
    moves.push_back({steps[removed[r]].index1, steps[added[std::size_t(a)]].index2, true});
    taken[removed[r]] = taken[added[std::size_t(a)]] = 1;
  }
  std::size_t kept = 0;
  for (std::size_t k = 0; k < steps.size(); ++k)
    if (!taken[k]) steps[kept++] = steps[k];
  steps.resize(kept);
  return moves;
}

}  // namespace quill
