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
  // The pair leaves the order the other pairs keep: an element moved elsewhere.
  bool moved = false;
  friend bool operator==(const AlignedPair&, const AlignedPair&) = default;
};

// How alike two elements with different hashes are: above 0 when alike enough to be shown as
// one changed element instead of one removed and one added, the more the more alike.
using AlikeElements = std::function<double(long index1, long index2)>;

// Aligns two sequences given as one hash per element, as a line diff aligns two texts: equal
// runs at both ends are paired first, then the elements that occur once in each sequence
// (patience anchors), or else the rarest shared element, split the rest, region by region.
// The stretches left between anchors are paired by `alike` (see pairStretch), or by position
// without it or when the sequences are as long and share nothing. The work spent on anchors is
// bounded by a multiple of the two lengths, so that huge or entirely different inputs cost near
// linear time. With findMoves, an element left out of the anchors whose hash occurs once in each
// sequence (0, an empty element, never does) is paired with its twin as a move, and so, when few
// are left, is a removed element with the one added element it is most alike, when each is the
// other's best match. Every element of both sequences appears once; the pairs that are not
// moves keep the order of both sequences, and each move stands at its place in the second.
std::vector<AlignedPair> alignSequences(std::span<const std::uint64_t> first,
                                        std::span<const std::uint64_t> second,
                                        const AlikeElements& alike = {}, bool findMoves = false);

// The positions of a longest strictly increasing subsequence of values, in order.
std::vector<std::size_t> longestIncreasingRun(std::span<const long> values);

}  // namespace quill
