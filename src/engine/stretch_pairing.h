#pragma once

#include <span>
#include <vector>

#include "engine/sequence_alignment.h"

namespace quill {

// Pairs the elements of one stretch of each sequence left between anchors (their indexes, in
// order) and appends the steps in order. With `alike`, the pairing in order with the greatest
// sum of likeness: a pair is made only where `alike` finds the elements alike, so that lengths
// alone never pair elements; a long stretch is cut into blocks along its diagonal, so that the
// checks grow with its length, not its area. Without `alike`, elements pair by position, the
// longer side's extra elements last.
void pairStretch(std::vector<AlignedPair>& steps, std::span<const long> stretch1,
                 std::span<const long> stretch2, const AlikeElements& alike);

// The removed and added elements among the steps that are each other's most alike, uniquely,
// taken out of the steps and returned as moves; nothing when there are too many to compare.
std::vector<AlignedPair> takeMovesByLikeness(std::vector<AlignedPair>& steps,
                                             const AlikeElements& alike);

}  // namespace quill
