#pragma once

#include <string>
#include <vector>

#include "engine/comparison_result.h"
#include "engine/result_tally.h"
#include "review/review_result.h"

namespace quill {

// Gathers from a comparison's result what the review workbook shows: the listing of every
// difference, with File #1's contents of the rows, columns and worksheets File #2 lacks, and
// the marks and notes for File #2's cells.
class ReviewCollector : public ResultSink {
 public:
  // sheetsPaired: the comparison paired the worksheets itself (see ResultTally).
  explicit ReviewCollector(bool sheetsPaired) : tally_(sheetsPaired) {}

  void begin(const ResultHeading& heading) override;
  void beginTable(const TableStart& table) override;
  void line(const Line& line) override;
  // Lists content differences; they mark no cell.
  void contents(std::span<const ContentItem> items) override;
  void endTable() override;
  void finish() override;

  // Complete once finish() has been called.
  const ReviewResult& result() const { return result_; }
  // Whether the result lists a difference.
  bool hasDifferences() const { return tally_.total().counts.differences() > 0; }

 private:
  void listSheetStanding();
  void addItem(const DifferenceItem& item);
  void markItem(const DifferenceItem& item, const std::string& note);
  void collectRemovedContents(const Line& line);
  // Keeps the entry in the listing, or only counts it once the listing is full.
  void list(ListedDifference entry);

  ReviewResult result_;
  ResultTally tally_;
  std::string sheet1_;  // the current table's worksheets
  std::string sheet2_;
  bool inFirst_ = true;
  bool inSecond_ = true;
  long position2_ = 0;
  // Listing entries of the current table's removed columns, by File #1 column, whose texts
  // the table's lines fill in.
  std::vector<std::pair<long, std::size_t>> removedColumns_;
};

}  // namespace quill
