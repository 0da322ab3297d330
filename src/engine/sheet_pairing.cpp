#include "engine/sheet_pairing.h"

#include <algorithm>
#include <tuple>

#include "base/ascii_case.h"
#include "engine/sequence_alignment.h"

namespace quill {

namespace {

// Sheets left after the pairing by name are compared by content only up to this many on
// each side, so that workbooks of hundreds of renamed sheets do not cost a product of them.
constexpr std::size_t kMostComparedByContent = 64;

// How many row hashes two sorted lists share, each occurrence counted once.
std::size_t sharedCount(const std::vector<std::uint64_t>& sorted1,
                        const std::vector<std::uint64_t>& sorted2) {
  std::size_t shared = 0;
  for (auto a = sorted1.begin(), b = sorted2.begin(); a != sorted1.end() && b != sorted2.end();) {
    if (*a < *b) {
      ++a;
    } else if (*b < *a) {
      ++b;
    } else {
      ++shared, ++a, ++b;
    }
  }
  return shared;
}

// A possible pairing by content: the share of alike rows, then the distance in position.
struct ContentCandidate {
  double likeness;
  long distance;
  long position1, position2;
  bool operator<(const ContentCandidate& other) const {
    return std::tie(other.likeness, distance, position1, position2) <
           std::tie(likeness, other.distance, other.position1, other.position2);
  }
};

// The partners found so far: partner1[i] is the second workbook's position paired with the
// first's position i (0: none), partner2 the other way.
struct Partners {
  std::vector<long> partner1, partner2;
  void pair(long position1, long position2) {
    partner1[std::size_t(position1)] = position2;
    partner2[std::size_t(position2)] = position1;
  }
};

// Pairs the sheets of the same name, or of names equal as the key makes them.
template <class Key>
void pairByKey(std::span<const SheetSummary> first, std::span<const SheetSummary> second,
               Partners& partners, Key key) {
  for (std::size_t i = 0; i < first.size(); ++i) {
    if (partners.partner1[i + 1] != 0) continue;
    const std::string name = key(first[i].name);
    for (std::size_t j = 0; j < second.size(); ++j)
      if (partners.partner2[j + 1] == 0 && key(second[j].name) == name) {
        partners.pair(long(i + 1), long(j + 1));
        break;
      }
  }
}

// Exact names first, so that "Data" pairs with "Data" even where "data" comes before it;
// then names that differ in letter case alone.
void pairByName(std::span<const SheetSummary> first, std::span<const SheetSummary> second,
                Partners& partners) {
  pairByKey(first, second, partners, [](const std::string& name) { return name; });
  pairByKey(first, second, partners, [](const std::string& name) { return asciiLowered(name); });
}

std::vector<long> unpaired(const std::vector<long>& partner) {
  std::vector<long> positions;
  for (std::size_t p = 1; p < partner.size() && positions.size() < kMostComparedByContent; ++p)
    if (partner[p] == 0) positions.push_back(long(p));
  return positions;
}

std::vector<std::uint64_t> sortedHashes(const SheetSummary& sheet) {
  std::vector<std::uint64_t> hashes;
  for (std::uint64_t hash : sheet.rowHashes)
    if (hash != 0) hashes.push_back(hash);
  std::sort(hashes.begin(), hashes.end());
  return hashes;
}

void pairByContent(std::span<const SheetSummary> first, std::span<const SheetSummary> second,
                   Partners& partners) {
  const std::vector<long> left1 = unpaired(partners.partner1), left2 = unpaired(partners.partner2);
  std::vector<std::vector<std::uint64_t>> sorted2;
  for (long p : left2) sorted2.push_back(sortedHashes(second[std::size_t(p - 1)]));
  std::vector<ContentCandidate> candidates;
  for (long p1 : left1) {
    const std::vector<std::uint64_t> sorted1 = sortedHashes(first[std::size_t(p1 - 1)]);
    for (std::size_t k = 0; k < left2.size(); ++k) {
      const std::size_t larger = std::max(sorted1.size(), sorted2[k].size());
      const double likeness =
          larger == 0 ? 1.0 : double(sharedCount(sorted1, sorted2[k])) / double(larger);
      if (likeness >= 0.5) candidates.push_back({likeness, std::abs(p1 - left2[k]), p1, left2[k]});
    }
  }
  std::sort(candidates.begin(), candidates.end());
  for (const ContentCandidate& candidate : candidates)
    if (partners.partner1[std::size_t(candidate.position1)] == 0 &&
        partners.partner2[std::size_t(candidate.position2)] == 0)
      partners.pair(candidate.position1, candidate.position2);
}

// The paired sheets whose second positions break the order the most of them keep.
std::vector<bool> movedSheets(const std::vector<long>& partner1) {
  std::vector<long> firsts, seconds;
  for (std::size_t p = 1; p < partner1.size(); ++p)
    if (partner1[p] != 0) firsts.push_back(long(p)), seconds.push_back(partner1[p]);
  std::vector<bool> moved(partner1.size(), true);
  for (std::size_t kept : longestIncreasingRun(seconds)) moved[std::size_t(firsts[kept])] = false;
  return moved;
}

}  // namespace

std::vector<SheetPairing> pairSheets(std::span<const SheetSummary> first,
                                     std::span<const SheetSummary> second, bool oneSheetFormat) {
  if (oneSheetFormat && first.size() == 1 && second.size() == 1) return {{1, 1, false, false}};
  Partners partners{std::vector<long>(first.size() + 1, 0),
                    std::vector<long>(second.size() + 1, 0)};
  pairByName(first, second, partners);
  pairByContent(first, second, partners);
  const std::vector<bool> moved = movedSheets(partners.partner1);
  // Each sheet's place in the result: a first-workbook sheet at (position, 1, 0), an added
  // sheet just before the first-workbook sheet paired with the next paired sheet after it in
  // the second workbook (at the end when there is none).
  using Place = std::tuple<long, int, long>;
  std::vector<std::pair<Place, SheetPairing>> placed;
  for (std::size_t p = 1; p <= first.size(); ++p) {
    const long p2 = partners.partner1[p];
    SheetPairing pairing{long(p), p2, false, false};
    if (p2 != 0) {
      pairing.renamed = first[p - 1].name != second[std::size_t(p2 - 1)].name;
      pairing.moved = moved[p];
    }
    placed.push_back({{long(p), 1, 0}, pairing});
  }
  long nextFirst = long(first.size()) + 1;
  for (std::size_t p = second.size(); p >= 1; --p) {
    if (partners.partner2[p] != 0)
      nextFirst = partners.partner2[p];
    else
      placed.push_back({{nextFirst, 0, long(p)}, SheetPairing{0, long(p), false, false}});
  }
  std::sort(placed.begin(), placed.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<SheetPairing> pairings;
  for (const auto& entry : placed) pairings.push_back(entry.second);
  return pairings;
}

}  // namespace quill
