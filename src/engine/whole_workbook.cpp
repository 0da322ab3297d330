#include "engine/whole_workbook.h"

#include <algorithm>
#include <cstdint>
#include <set>
#include <string_view>
#include <vector>

#include "base/error_trap.h"
#include "engine/cell_comparison.h"
#include "engine/row_progress.h"
#include "report/templates.h"
#include "sheet/session.h"

namespace quill {

namespace {

// Stands in for a worksheet that one workbook lacks: every cell empty.
class EmptySheet final : public Worksheet {
 public:
  explicit EmptySheet(const std::string& name) : name_(name) {}
  const std::string& name() const override { return name_; }
  Area usedArea() const override { return Area{}; }
  std::string_view cellText(long, long) const override { return {}; }
  long firstRowInUseFrom(long) const override { return 0; }

 private:
  const std::string& name_;
};

// The line labels of DoItByFile, the whole-workbook comparison, including the steps of each
// sheet pair.
enum class WholeWorkbookLine {
  BothOpen = 100,
  ReserveGrid = 102,
  NextSheet = 106,
  RowCount = 108,
  ColumnCount = 114,
  SheetHeading = 120,
  HeaderRow = 122,
  ProgressMaximum = 132,
  RowStart = 140,
  // Both the row buffers' sizing and each row's reading: the step that reads the row's texts.
  ReadRow = 142,
  CompareCell = 150,
  ProgressValue = 172,
  TableEnd = 176,
  WriteDocuments = 186,
  CloseSession = 194,
};

// The name a sheet pair's anchors use: its sheet's name, or, when an earlier pair of the
// document already used that name (a sheet that only the second file has, named like one of
// the first file's), the name followed by its position, so that every link lands on its pair.
std::string uniqueAnchorName(const std::string& name, std::size_t position,
                             std::set<std::string>& used) {
  std::string unique = name;
  for (int extra = 1; !used.insert(unique).second; ++extra) {
    unique = name + " (" + std::to_string(position) + ")";
    if (extra > 1) unique += "(" + std::to_string(extra) + ")";
  }
  return unique;
}

// Compares one pair of sheets over the larger of their used areas, counted from A1; the
// cells' anchors name anchorName.
void compareSheetPair(ComparisonContext& context, ErrorTrap& trap, ReportBodies& bodies,
                      const Worksheet& sheet1, const Worksheet& sheet2,
                      const std::string& anchorName) {
  long rowCount = 0, columnCount = 0;
  trap.at(WholeWorkbookLine::RowCount,
          [&] { rowCount = std::max(sheet1.usedArea().lastRow, sheet2.usedArea().lastRow); });
  trap.at(WholeWorkbookLine::ColumnCount, [&] {
    columnCount = std::max(sheet1.usedArea().lastColumn, sheet2.usedArea().lastColumn);
  });
  const std::string& sheetName = sheet1.name();
  trap.at(WholeWorkbookLine::SheetHeading,
          [&] { appendSheetHeading(bodies.grid, sheetName, columnCount); });
  trap.at(WholeWorkbookLine::HeaderRow, [&] {
    appendHeaderCorner(bodies.grid);
    for (long c = 1; c <= columnCount; ++c) appendHeaderCell(bodies.grid, columnLetters(c));
  });
  RowProgress progress(context.progress);
  trap.at(WholeWorkbookLine::ProgressMaximum, [&] {
    context.progress.setSheet(sheetName);
    progress.begin(rowCount);
  });
  // Each row's texts are read in one pass per sheet into buffers reused for every row.
  std::vector<std::string_view> texts1, texts2;
  trap.at(WholeWorkbookLine::ReadRow, [&] {
    texts1.resize(std::size_t(std::max(columnCount, 0L)));
    texts2.resize(texts1.size());
  });
  for (long r = 1; r <= rowCount; ++r) {
    // A long stretch of rows empty in both sheets takes one line.
    const long next = rowCount > kFoldedRowsAbove
                          ? 1 + nextOffsetInUse(sheet1, 1, sheet2, 1, r - 1, rowCount)
                          : r;
    if (next - r > kFoldedRowsAbove) {
      trap.at(WholeWorkbookLine::RowStart,
              [&] { appendEmptyRowsLine(bodies.grid, r, next - 1, columnCount); });
      r = next - 1;
      trap.at(WholeWorkbookLine::ProgressValue, [&] { progress.reached(r); });
      continue;
    }
    trap.at(WholeWorkbookLine::RowStart, [&] {
      appendRowStart(bodies.grid);
      appendHeaderCell(bodies.grid, r);
    });
    trap.at(WholeWorkbookLine::ReadRow, [&] {
      sheet1.rowTexts(r, 1, texts1);
      sheet2.rowTexts(r, 1, texts2);
    });
    trap.at(WholeWorkbookLine::CompareCell, [&] {
      appendRowComparison(bodies, context.request, anchorName, r, 1, texts1, texts2);
    });
    trap.at(WholeWorkbookLine::ProgressValue, [&] { progress.reached(r); });
  }
  trap.at(WholeWorkbookLine::TableEnd, [&] { appendTableEnd(bodies.grid); });
}

// The room the grid body will take, at most 256 MiB, so that a large grid is not copied
// again and again as it grows; room reserved and left unused costs address space only.
std::size_t expectedGridBytes(const Workbook& book1, const Workbook& book2) {
  constexpr std::uint64_t kBytesPerCell = 64;  // a data cell with a text of up to 30 bytes
  constexpr std::uint64_t kMostBytes = std::uint64_t(1) << 28;
  std::uint64_t bytes = 0;
  for (std::size_t i = 1; i <= std::min(book1.sheetCount(), book2.sheetCount()); ++i) {
    const Area used1 = book1.sheet(i).usedArea(), used2 = book2.sheet(i).usedArea();
    const auto rows = std::uint64_t(std::max({used1.lastRow, used2.lastRow, 0L}));
    const auto columns = std::uint64_t(std::max({used1.lastColumn, used2.lastColumn, 0L}));
    bytes = std::min(kMostBytes, bytes + rows * (columns + 1) * kBytesPerCell);
  }
  return std::size_t(bytes);
}

}  // namespace

ComparisonOutcome DoItByFile(ComparisonContext& context) {
  ErrorTrap trap("Excel1", "DoItByFile", context.errors);
  ComparisonOutcome outcome;
  SpreadsheetSession& session = context.session;
  if (!session.isOpen()) {
    trap.line(WholeWorkbookLine::BothOpen);
    trap.report("The workbooks could not both be opened, so nothing was compared");
    closeSession(session);
    return outcome;
  }
  ReportBodies bodies;
  const Workbook& book1 = *session.firstBook();
  const Workbook& book2 = *session.secondBook();
  trap.at(WholeWorkbookLine::ReserveGrid,
          [&] { bodies.grid.reserve(expectedGridBytes(book1, book2)); });
  const std::size_t sheetCount = std::max(book1.sheetCount(), book2.sheetCount());
  std::set<std::string> anchorNames;
  for (std::size_t i = 1; i <= sheetCount; ++i) {
    trap.line(WholeWorkbookLine::NextSheet);
    const Worksheet* sheet1 = i <= book1.sheetCount() ? &book1.sheet(i) : nullptr;
    const Worksheet* sheet2 = i <= book2.sheetCount() ? &book2.sheet(i) : nullptr;
    EmptySheet standIn(sheet1 ? sheet1->name() : sheet2->name());
    const long differencesBefore = bodies.differences;
    const std::string anchorName = uniqueAnchorName(standIn.name(), i, anchorNames);
    compareSheetPair(context, trap, bodies, sheet1 ? *sheet1 : standIn, sheet2 ? *sheet2 : standIn,
                     anchorName);
    ++outcome.sheetsCompared;
    if (bodies.differences > differencesBefore) ++outcome.sheetsWithDifferences;
  }
  outcome.differences = bodies.differences;
  const int reportedBefore = trap.reported();
  trap.at(WholeWorkbookLine::WriteDocuments, [&] { writeDocuments(context, bodies, ""); });
  outcome.documentsWritten = trap.reported() == reportedBefore;
  trap.at(WholeWorkbookLine::CloseSession, [&] { closeSession(session); });
  return outcome;
}

}  // namespace quill
