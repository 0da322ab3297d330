#include "engine/sequence_alignment.h"

#include <algorithm>
#include <limits>
#include <unordered_map>
#include <utility>

#include "engine/stretch_pairing.h"

namespace quill {

namespace {

// A stretch of each sequence still to be aligned: [begin1, end1) and [begin2, end2).
struct Region {
  long begin1, end1, begin2, end2;
  long size() const { return end1 - begin1 + end2 - begin2; }
};

// How often a hash occurs in each side of a region, and where it first occurs.
struct Occurrences {
  long count1 = 0;
  long count2 = 0;
  long first1 = -1;
  long first2 = -1;
};

// Anchors cost at most this many element visits per element of the two sequences.
constexpr long kVisitsPerElement = 16;

using Anchor = std::pair<long, long>;

// Finds the equal pairs that split the sequences into regions aligned on their own.
class AnchorFinder {
 public:
  AnchorFinder(std::span<const std::uint64_t> first, std::span<const std::uint64_t> second)
      : first_(first),
        second_(second),
        budget_(kVisitsPerElement * long(first.size() + second.size()) + 1024) {}

  std::vector<Anchor> find() {
    std::vector<Region> pending{{0, long(first_.size()), 0, long(second_.size())}};
    while (!pending.empty()) {
      Region region = pending.back();
      pending.pop_back();
      splitRegion(region, pending);
    }
    std::sort(anchors_.begin(), anchors_.end());
    return std::move(anchors_);
  }

 private:
  void splitRegion(Region region, std::vector<Region>& pending);
  void pairEqualEnds(Region& region);
  std::unordered_map<std::uint64_t, Occurrences> countOccurrences(const Region& region) const;
  std::vector<Anchor> uniqueAnchors(const Region& region,
                                    const std::unordered_map<std::uint64_t, Occurrences>&) const;
  static bool rarestShared(const std::unordered_map<std::uint64_t, Occurrences>& occurrences,
                           Anchor& anchor);

  std::span<const std::uint64_t> first_, second_;
  long budget_;
  std::vector<Anchor> anchors_;
};

void AnchorFinder::splitRegion(Region region, std::vector<Region>& pending) {
  pairEqualEnds(region);
  if (region.begin1 == region.end1 || region.begin2 == region.end2) return;
  // Past the budget, what is left stays one stretch for the pairing by position.
  if (region.size() > budget_) return;
  budget_ -= region.size();
  const auto occurrences = countOccurrences(region);
  std::vector<Anchor> found = uniqueAnchors(region, occurrences);
  if (found.empty()) {
    Anchor rarest;
    if (!rarestShared(occurrences, rarest)) return;
    found.push_back(rarest);
  }
  long begin1 = region.begin1, begin2 = region.begin2;
  for (const Anchor& anchor : found) {
    anchors_.push_back(anchor);
    pending.push_back({begin1, anchor.first, begin2, anchor.second});
    begin1 = anchor.first + 1;
    begin2 = anchor.second + 1;
  }
  pending.push_back({begin1, region.end1, begin2, region.end2});
}

void AnchorFinder::pairEqualEnds(Region& region) {
  while (region.begin1 < region.end1 && region.begin2 < region.end2 &&
         first_[std::size_t(region.begin1)] == second_[std::size_t(region.begin2)])
    anchors_.emplace_back(region.begin1++, region.begin2++);
  while (region.begin1 < region.end1 && region.begin2 < region.end2 &&
         first_[std::size_t(region.end1 - 1)] == second_[std::size_t(region.end2 - 1)])
    anchors_.emplace_back(--region.end1, --region.end2);
}

std::unordered_map<std::uint64_t, Occurrences> AnchorFinder::countOccurrences(
    const Region& region) const {
  std::unordered_map<std::uint64_t, Occurrences> occurrences;
  occurrences.reserve(std::size_t(region.size()));
  for (long i = region.begin1; i < region.end1; ++i) {
    Occurrences& seen = occurrences[first_[std::size_t(i)]];
    if (seen.count1++ == 0) seen.first1 = i;
  }
  for (long i = region.begin2; i < region.end2; ++i) {
    Occurrences& seen = occurrences[second_[std::size_t(i)]];
    if (seen.count2++ == 0) seen.first2 = i;
  }
  return occurrences;
}

// The elements that occur once on each side, paired, kept where they stay in order on both.
std::vector<Anchor> AnchorFinder::uniqueAnchors(
    const Region& region, const std::unordered_map<std::uint64_t, Occurrences>& occurrences) const {
  std::vector<Anchor> unique;
  for (long i = region.begin1; i < region.end1; ++i) {
    const Occurrences& seen = occurrences.at(first_[std::size_t(i)]);
    if (seen.count1 == 1 && seen.count2 == 1) unique.emplace_back(i, seen.first2);
  }
  std::vector<long> seconds(unique.size());
  for (std::size_t i = 0; i < unique.size(); ++i) seconds[i] = unique[i].second;
  std::vector<Anchor> kept;
  for (std::size_t position : longestIncreasingRun(seconds)) kept.push_back(unique[position]);
  return kept;
}

// No element occurs once on each side: the shared element with the fewest occurrences,
// first occurrence paired with first occurrence.
bool AnchorFinder::rarestShared(const std::unordered_map<std::uint64_t, Occurrences>& occurrences,
                                Anchor& anchor) {
  long fewest = std::numeric_limits<long>::max();
  for (const auto& [hash, seen] : occurrences) {
    if (seen.count1 == 0 || seen.count2 == 0) continue;
    const long count = seen.count1 + seen.count2;
    if (count < fewest || (count == fewest && seen.first1 < anchor.first)) {
      fewest = count;
      anchor = {seen.first1, seen.first2};
    }
  }
  return fewest != std::numeric_limits<long>::max();
}

// Pairs each element left out of the anchors with its twin, where its hash occurs once in
// each sequence; marks both as paired.
std::vector<AlignedPair> exactMoves(std::span<const std::uint64_t> first,
                                    std::span<const std::uint64_t> second,
                                    std::vector<char>& paired1, std::vector<char>& paired2) {
  std::unordered_map<std::uint64_t, Occurrences> occurrences;
  for (std::size_t i = 0; i < first.size(); ++i)
    if (!paired1[i] && first[i] != 0) {
      Occurrences& seen = occurrences[first[i]];
      if (seen.count1++ == 0) seen.first1 = long(i);
    }
  if (occurrences.empty()) return {};
  for (std::size_t j = 0; j < second.size(); ++j) {
    const auto found = occurrences.find(second[j]);
    if (found == occurrences.end()) continue;
    if (found->second.count2++ == 0) found->second.first2 = long(j);
  }
  // A hash that also occurs among the anchored elements is no unique twin.
  for (std::size_t i = 0; i < first.size(); ++i)
    if (paired1[i]) {
      const auto found = occurrences.find(first[i]);
      if (found != occurrences.end()) found->second.count1 = 0;
    }
  std::vector<AlignedPair> moves;
  for (const auto& [hash, seen] : occurrences)
    if (seen.count1 == 1 && seen.count2 == 1 && !paired2[std::size_t(seen.first2)]) {
      moves.push_back({seen.first1, seen.first2, true});
      paired1[std::size_t(seen.first1)] = paired2[std::size_t(seen.first2)] = 1;
    }
  return moves;
}

// The elements of [begin, end) not yet paired.
std::vector<long> unpairedBetween(long begin, long end, const std::vector<char>& paired) {
  std::vector<long> left;
  for (long i = begin; i < end; ++i)
    if (!paired[std::size_t(i)]) left.push_back(i);
  return left;
}

// The steps in order with the moves placed at their places in the second sequence.
std::vector<AlignedPair> withMoves(const std::vector<AlignedPair>& steps,
                                   std::vector<AlignedPair> moves) {
  if (moves.empty()) return steps;
  std::sort(moves.begin(), moves.end(),
            [](const AlignedPair& a, const AlignedPair& b) { return a.index2 < b.index2; });
  std::vector<AlignedPair> merged;
  merged.reserve(steps.size() + moves.size());
  auto move = moves.begin();
  for (const AlignedPair& step : steps) {
    while (step.index2 >= 0 && move != moves.end() && move->index2 < step.index2)
      merged.push_back(*move++);
    merged.push_back(step);
  }
  merged.insert(merged.end(), move, moves.end());
  return merged;
}

}  // namespace

std::vector<AlignedPair> alignSequences(std::span<const std::uint64_t> first,
                                        std::span<const std::uint64_t> second,
                                        const AlikeElements& alike, bool findMoves) {
  const std::vector<Anchor> anchors = AnchorFinder(first, second).find();
  std::vector<char> paired1(first.size(), 0), paired2(second.size(), 0);
  for (const Anchor& anchor : anchors)
    paired1[std::size_t(anchor.first)] = paired2[std::size_t(anchor.second)] = 1;
  std::vector<AlignedPair> moves;
  if (findMoves) moves = exactMoves(first, second, paired1, paired2);
  std::vector<AlignedPair> steps;
  steps.reserve(std::max(first.size(), second.size()) + 16);
  // Sequences with nothing in common and as long can only be compared by position.
  const bool byPosition = anchors.empty() && moves.empty() && first.size() == second.size();
  long begin1 = 0, begin2 = 0;
  const auto stretchTo = [&](long end1, long end2) {
    pairStretch(steps, unpairedBetween(begin1, end1, paired1),
                unpairedBetween(begin2, end2, paired2), byPosition ? AlikeElements() : alike);
  };
  for (const Anchor& anchor : anchors) {
    stretchTo(anchor.first, anchor.second);
    steps.push_back({anchor.first, anchor.second});
    begin1 = anchor.first + 1;
    begin2 = anchor.second + 1;
  }
  stretchTo(long(first.size()), long(second.size()));
  if (findMoves && !byPosition) {
    std::vector<AlignedPair> alikeMoves = takeMovesByLikeness(steps, alike);
    moves.insert(moves.end(), alikeMoves.begin(), alikeMoves.end());
  }
  return withMoves(steps, std::move(moves));
}

std::vector<std::size_t> longestIncreasingRun(std::span<const long> values) {
  // tails[k]: the position of the smallest value ending an increasing run of length k + 1.
  std::vector<std::size_t> tails, before(values.size());
  for (std::size_t i = 0; i < values.size(); ++i) {
    const auto place = std::lower_bound(tails.begin(), tails.end(), values[i],
                                        [&](std::size_t t, long v) { return values[t] < v; });
    before[i] = place == tails.begin() ? values.size() : *(place - 1);
    if (place == tails.end())
      tails.push_back(i);
    else
      *place = i;
  }
  std::vector<std::size_t> run(tails.size());
  std::size_t at = tails.empty() ? 0 : tails.back();
  for (std::size_t k = run.size(); k-- > 0; at = before[at]) run[k] = at;
  return run;
}

}  // namespace quill
