#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quill {

// What sheet pairing knows of a worksheet: its name and the hashes of its rows that hold
// anything, in any order (a 0 among them, an empty row, pairs nothing).
struct SheetSummary {
  std::string name;
  std::vector<std::uint64_t> rowHashes;
};

// A worksheet of each workbook paired, or a worksheet of one alone (the other position is
// 0). Positions count from 1.
struct SheetPairing {
  long position1 = 0;
  long position2 = 0;
  bool renamed = false;  // paired by content under another name
  bool moved = false;    // out of the order the other paired sheets keep
  friend bool operator==(const SheetPairing&, const SheetPairing&) = default;
};

// Pairs the worksheets of two workbooks: by name, exact names first and then letter case
// aside; then the ones left by
// content (at least half of the larger sheet's rows alike), the most alike first and, among
// equally alike, the nearest in position. A sheet left unpaired is removed (first workbook)
// or added (second). The result follows the first workbook's order, each added sheet after
// the sheet that precedes it in the second workbook. Where either workbook is of a format
// that holds one sheet named after its file (oneSheetFormat) and each has one sheet, the two
// are paired as they are, neither renamed nor moved.
std::vector<SheetPairing> pairSheets(std::span<const SheetSummary> first,
                                     std::span<const SheetSummary> second,
                                     bool oneSheetFormat = false);

}  // namespace quill
