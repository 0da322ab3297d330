#include "engine/sequence_alignment.h"

#include <algorithm>
#include <limits>
#include <unordered_map>
#include <utility>

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
// Stretches between anchors up to this many element pairs are paired by likeness.
constexpr long kMostLikenessChecks = 4096;

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

void appendUnpaired(std::vector<AlignedPair>& steps, long begin1, long end1, long begin2,
                    long end2) {
  for (long i = begin1; i < end1; ++i) steps.push_back({i, -1});
  for (long i = begin2; i < end2; ++i) steps.push_back({-1, i});
}

// A stretch between anchors paired position by position, the longer side's rest last.
void pairByPosition(std::vector<AlignedPair>& steps, const Region& region) {
  const long paired = std::min(region.end1 - region.begin1, region.end2 - region.begin2);
  for (long k = 0; k < paired; ++k) steps.push_back({region.begin1 + k, region.begin2 + k});
  appendUnpaired(steps, region.begin1 + paired, region.end1, region.begin2 + paired, region.end2);
}

// A small stretch between anchors: the most pairs of alike elements that keep their order.
void pairByLikeness(std::vector<AlignedPair>& steps, const Region& region,
                    const AlikeElements& alike) {
  const long rows = region.end1 - region.begin1, columns = region.end2 - region.begin2;
  const auto at = [columns](long i, long j) { return std::size_t(i * (columns + 1) + j); };
  std::vector<long> best(std::size_t((rows + 1) * (columns + 1)), 0);
  std::vector<char> pairs(best.size(), 0);
  for (long i = rows - 1; i >= 0; --i)
    for (long j = columns - 1; j >= 0; --j) {
      long value = std::max(best[at(i + 1, j)], best[at(i, j + 1)]);
      if (alike(region.begin1 + i, region.begin2 + j) && best[at(i + 1, j + 1)] + 1 > value) {
        value = best[at(i + 1, j + 1)] + 1;
        pairs[at(i, j)] = 1;
      }
      best[at(i, j)] = value;
    }
  long i = 0, j = 0;
  while (i < rows && j < columns) {
    if (pairs[at(i, j)]) {
      steps.push_back({region.begin1 + i++, region.begin2 + j++});
    } else if (best[at(i + 1, j)] >= best[at(i, j + 1)]) {
      steps.push_back({region.begin1 + i++, -1});
    } else {
      steps.push_back({-1, region.begin2 + j++});
    }
  }
  appendUnpaired(steps, region.begin1 + i, region.end1, region.begin2 + j, region.end2);
}

void pairStretch(std::vector<AlignedPair>& steps, const Region& region,
                 const AlikeElements& alike) {
  const long rows = region.end1 - region.begin1, columns = region.end2 - region.begin2;
  // A stretch as long on both sides holds changed elements where they stand.
  if (rows == 0 || columns == 0)
    appendUnpaired(steps, region.begin1, region.end1, region.begin2, region.end2);
  else if (alike && rows != columns && rows * columns <= kMostLikenessChecks)
    pairByLikeness(steps, region, alike);
  else
    pairByPosition(steps, region);
}

}  // namespace

std::vector<AlignedPair> alignSequences(std::span<const std::uint64_t> first,
                                        std::span<const std::uint64_t> second,
                                        const AlikeElements& alike) {
  const std::vector<Anchor> anchors = AnchorFinder(first, second).find();
  std::vector<AlignedPair> steps;
  steps.reserve(std::max(first.size(), second.size()) + 16);
  long begin1 = 0, begin2 = 0;
  for (const Anchor& anchor : anchors) {
    pairStretch(steps, {begin1, anchor.first, begin2, anchor.second}, alike);
    steps.push_back({anchor.first, anchor.second});
    begin1 = anchor.first + 1;
    begin2 = anchor.second + 1;
  }
  pairStretch(steps, {begin1, long(first.size()), begin2, long(second.size())}, alike);
  return steps;
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
