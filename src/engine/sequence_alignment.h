#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace quill {

// One step of an alignment of two sequences: an element of each paired, or an element of
// one sequence alone (the other index is -1). Indexes count from 0.
struct AlignedPair {
  long index1 = -1;
  long index2 = -1;
  friend bool operator==(const AlignedPair&, const AlignedPair&) = default;
};

// Whether two elements with different hashes are alike enough to be shown as one changed
// element instead of one removed and one added.
using AlikeElements = std::function<bool(long index1, long index2)>;

// Aligns two sequences given as one hash per element, as a line diff aligns two texts: equal
// runs at both ends are paired first, then the elements that occur once in each sequence
// (patience anchors), or else the rarest shared element, split the rest, region by region.
// The stretches left between anchors are paired position by position where both sides are
// as long, by `alike` where their lengths differ and they are small, and else by position,
// the longer side's extra elements last. The work spent on anchors is bounded by a multiple of the
// two lengths, so that huge or entirely different inputs cost near linear time. Every element of
// both sequences appears once, in order.
std::vector<AlignedPair> alignSequences(std::span<const std::uint64_t> first,
                                        std::span<const std::uint64_t> second,
                                        const AlikeElements& alike = {});

// The positions of a longest strictly increasing subsequence of values, in order.
std::vector<std::size_t> longestIncreasingRun(std::span<const long> values);

}  // namespace quill
