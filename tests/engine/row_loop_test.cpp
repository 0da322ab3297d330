// The one row loop: rows paired by position are the identity pairing, told exactly as the
// same pairs listed; a step that fails is the runner's to report, and the rows go on.
#include "engine/row_loop.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "result_transcript.h"
#include "support/memory_workbook.h"

namespace quill::test {
namespace {

using Entries = std::vector<std::string>;

// Columns 1 .. count of each file, paired by position.
std::vector<ColumnPair> sameColumns(long count) {
  std::vector<ColumnPair> columns;
  for (long c = 1; c <= count; ++c) columns.push_back({c, c});
  return columns;
}

ResultTranscript told(const Worksheet& sheet1, const Worksheet& sheet2, const RowPairs& rows,
                      const std::vector<ColumnPair>& columns) {
  ResultTranscript transcript;
  NoProgress none;
  RowProgress progress(none);
  tellPairedRows(transcript, {sheet1, sheet2, rows, columns}, ComparisonOptions{}, progress);
  return transcript;
}

TEST(RowLoop, TheIdentityPairingIsToldAsTheSamePairsListed) {
  // Wide rows and a far row, so that both rows and cells fold; the second file starts lower.
  const auto book1 = makeWorkbook({{"S", {{"A1", "x"}, {"DA1", "wide"}, {"B1500", "far"}}}});
  const auto book2 =
      makeWorkbook({{"S", {{"A3", "y"}, {"DA3", "wide"}, {"B1502", "near"}, {"C1503", "below"}}}});
  const long count = 3000;
  std::vector<RowPair> listed;
  for (long i = 0; i < count; ++i) listed.push_back({1 + i, 3 + i});
  const std::vector<ColumnPair> columns = sameColumns(105);

  const ResultTranscript identity =
      told(book1->sheet(1), book2->sheet(1), RowPairs::identity(1, 3, count), columns);
  EXPECT_EQ(identity.entries,
            told(book1->sheet(1), book2->sheet(1), RowPairs::listed(listed), columns).entries);
  EXPECT_EQ(identity.starting("empty "), (Entries{"empty 2/4..1499", "empty 1502/1504..3000"}));
  EXPECT_EQ(identity.starting("texts 1/3 "), Entries{"texts 1/3 x|y [B..CZ] wide|wide"});
  EXPECT_EQ(identity.starting("difference "),
            (Entries{"difference A1/A3 different value x|y",
                     "difference B1500/B1502 different value far|near",
                     "difference C1501/C1503 missing in FILE1 |below"}));
}

// A worksheet of one column whose second row cannot be read.
class FailingRow final : public Worksheet {
 public:
  const std::string& name() const override { return name_; }
  Area usedArea() const override { return Area{1, 1, 3, 1}; }
  std::string_view cellText(long row, long) const override {
    if (row == 2) throw std::runtime_error("unreadable row");
    return row == 1 ? "one" : "three";
  }

 private:
  std::string name_ = "S";
};

TEST(RowLoop, AFailingStepIsTheRunnersToReportAndTheRowsGoOn) {
  const FailingRow sheet;
  const auto other = makeWorkbook({{"S", {{"A1", "one"}, {"A2", "two"}, {"A3", "three"}}}});
  ResultTranscript transcript;
  NoProgress none;
  RowProgress progress(none);
  std::vector<RowStep> failed;
  const RowPairs rows = RowPairs::identity(1, 1, 3);
  tellPairedRows(transcript, {sheet, other->sheet(1), rows, sameColumns(1)}, ComparisonOptions{},
                 progress, [&failed](RowStep step, const std::function<void()>& action) {
                   try {
                     action();
                   } catch (const std::runtime_error&) {
                     failed.push_back(step);
                   }
                 });
  EXPECT_EQ(failed, std::vector<RowStep>{RowStep::ReadRow});
  EXPECT_EQ(transcript.starting("compared "),
            (Entries{"compared 1/1", "compared 2/2", "compared 3/3"}));
}

}  // namespace
}  // namespace quill::test
