#pragma once

#include <array>
#include <string>
#include <vector>

#include "engine/comparison_result.h"
#include "engine/difference_kinds.h"
#include "engine/listed_differences.h"

namespace quill {

// How many cells a part of a result compared and how many it counted of each kind (see
// Counted). The kinds of difference do not overlap; key cells count the cell differences that
// lie in identifying cells once more.
struct DifferenceCounts {
  long cellsCompared = 0;
  std::array<long, kCountedKinds> counted{};

  long operator[](Counted kind) const { return counted[std::size_t(kind)]; }
  long& operator[](Counted kind) { return counted[std::size_t(kind)]; }
  // Every listed difference: cells, rows, columns and sheet changes.
  long differences() const;
  void count(const DifferenceItem& item);
  DifferenceCounts& operator+=(const DifferenceCounts& other);
};

// A pair of worksheets as a result tells it, with what its tables counted.
struct SheetPairSummary {
  std::string sheet1;  // as the file names it; empty when the file lacks it
  std::string sheet2;
  long position1 = 0;
  long position2 = 0;
  bool inFirst = true;
  bool inSecond = true;
  bool renamed = false;       // paired by the comparison itself, under another name ...
  bool moved = false;         // ... or out of the order of the other pairs (aligned), or at another
                              // position
  bool samePosition = false;  // paired by position alone, under another name: not renamed
  DifferenceCounts counts;
};

// What a whole result counted.
struct ResultTotal {
  DifferenceCounts counts;
  long sheetPairs = 0;
  long sheetPairsWithDifferences = 0;
  long onlyInFirst = 0;
  long onlyInSecond = 0;
  long renamed = 0;
  long moved = 0;

  // Whether anything differs: a listed difference or a sheet that is not paired as it is.
  bool differs() const;
  ResultTotal& operator+=(const ResultTotal& other);
};

// Follows the tables and lines of a result and counts them by sheet pair: the areas of one
// worksheet pair that follow one another make one pair. Renamed and moved sheets are told
// only where sheetsPaired says the comparison paired the worksheets itself, not the user; an
// aligned table says so itself, and counts them as differences.
class ResultTally {
 public:
  explicit ResultTally(bool sheetsPaired) : sheetsPaired_(sheetsPaired) {}

  // Starts counting a table and its added and removed columns; true when it begins another
  // sheet pair.
  bool beginTable(const TableStart& table);
  void line(const Line& line);
  // Counts content differences: a sheet's in the pair of the table begun last, the whole
  // workbook's apart, in the total alone.
  void contents(std::span<const ContentItem> items);

  const std::vector<SheetPairSummary>& pairs() const { return pairs_; }
  // What the whole workbook's content differences counted.
  const DifferenceCounts& workbookCounts() const { return workbook_; }
  // The pair of the table begun last.
  const SheetPairSummary& current() const { return pairs_.back(); }
  ResultTotal total() const;
  // Whether the table begun last is an aligned sheet only one file has.
  bool oneSidedTable() const { return oneSidedTable_; }

 private:
  bool sheetsPaired_;
  std::vector<SheetPairSummary> pairs_;
  DifferenceCounts workbook_;
  long tableColumns_ = 0;       // the columns both files have in the current table
  bool oneSidedTable_ = false;  // the current table is an aligned sheet one file has alone
};

}  // namespace quill
