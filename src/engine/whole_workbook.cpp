#include "engine/whole_workbook.h"

#include <algorithm>
#include <set>
#include <span>
#include <string_view>
#include <vector>

#include "base/error_trap.h"
#include "engine/aligned_workbook.h"
#include "engine/comparison_finish.h"
#include "engine/contents_telling.h"
#include "engine/counting_result.h"
#include "engine/row_loop.h"
#include "engine/row_progress.h"
#include "formats/format_probe.h"
#include "formats/session.h"

namespace quill {

namespace {

// Whether the file is of a format that holds one sheet named after the file (CSV), whose
// sheet name then says nothing of its content. A file the probe cannot tell (a version
// git-diff was handed as /dev/null, say) holds none of that format.
bool holdsOneSheet(const std::string& path) {
  try {
    return probeWorkbookFormat(path) == WorkbookFormat::Csv;
  } catch (const std::exception&) {
    return false;
  }
}

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

// The line labels of the whole-workbook comparison, including the steps of each sheet pair;
// its error texts name it "Excel1.DoItByFile".
enum class WholeWorkbookLine {
  BothOpen = 100,
  // The start of the result: the heads of both documents.
  BeginDocuments = 102,
  NextSheet = 106,
  RowCount = 108,
  ColumnCount = 114,
  SheetHeading = 120,
  ProgressMaximum = 132,
  RowStart = 140,
  // Each row's reading: the step that reads the row's texts.
  ReadRow = 142,
  CompareCell = 150,
  ProgressValue = 172,
  TableEnd = 176,
  WriteDocuments = 186,
  CloseSession = 194,
};

// The line of each step of the row loop.
WholeWorkbookLine wholeWorkbookLine(RowStep step) {
  switch (step) {
    case RowStep::EmptyRows:
    case RowStep::StartRow:
      return WholeWorkbookLine::RowStart;
    case RowStep::ReadRow:
      return WholeWorkbookLine::ReadRow;
    case RowStep::CompareRow:
      return WholeWorkbookLine::CompareCell;
    case RowStep::Progress:
      break;
  }
  return WholeWorkbookLine::ProgressValue;
}

// The table of a sheet pair of the whole workbooks, at 1-based position; a sheet one file
// lacks is named after the other file's sheet.
TableStart sheetPairTable(const Worksheet* sheet1, const Worksheet* sheet2, std::size_t position,
                          std::string_view anchorName, std::span<const ColumnPair> columns) {
  TableStart table;
  table.sheet1 = sheet1 ? std::string_view(sheet1->name()) : std::string_view();
  table.sheet2 = sheet2 ? std::string_view(sheet2->name()) : std::string_view();
  table.inFirst = sheet1 != nullptr;
  table.inSecond = sheet2 != nullptr;
  table.position1 = sheet1 ? long(position) : 0;
  table.position2 = sheet2 ? long(position) : 0;
  table.anchorSheet = anchorName;
  table.columns = columns;
  return table;
}

// One pair of sheets of the whole workbooks: the sheets each file has there (null: it has
// none), the sheets compared, empty stand-ins for missing ones, where they lie, the name
// their anchors use, and the workbooks they belong to.
struct SheetPair {
  const Worksheet* present1;
  const Worksheet* present2;
  const Worksheet& sheet1;
  const Worksheet& sheet2;
  std::size_t position;
  const std::string& anchorName;
  const Workbook& book1;
  const Workbook& book2;
};

// Compares one pair of sheets over the larger of their used areas, counted from A1.
void compareSheetPair(ComparisonContext& context, ErrorTrap& trap, ResultSink& result,
                      const SheetPair& pair) {
  const Worksheet& sheet1 = pair.sheet1;
  const Worksheet& sheet2 = pair.sheet2;
  long rowCount = 0, columnCount = 0;
  trap.at(WholeWorkbookLine::RowCount,
          [&] { rowCount = std::max(sheet1.usedArea().lastRow, sheet2.usedArea().lastRow); });
  std::vector<ColumnPair> columns;
  trap.at(WholeWorkbookLine::ColumnCount, [&] {
    columnCount = std::max(sheet1.usedArea().lastColumn, sheet2.usedArea().lastColumn);
    for (long c = 1; c <= columnCount; ++c) columns.push_back({c, c});
  });
  std::vector<ContentItem> contents;
  if (pair.present1 && pair.present2)
    trap.at(WholeWorkbookLine::TableEnd, [&] {
      contents =
          sheetContentItems({pair.book1, pair.book2, sheet1, sheet2}, context.request.options);
    });
  // The heading and the header row.
  trap.at(WholeWorkbookLine::SheetHeading, [&] {
    TableStart table =
        sheetPairTable(pair.present1, pair.present2, pair.position, pair.anchorName, columns);
    table.contents = contents;
    result.beginTable(table);
  });
  RowProgress progress(context.progress);
  trap.at(WholeWorkbookLine::ProgressMaximum, [&] {
    context.progress.setSheet(sheet1.name());
    progress.begin(rowCount);
  });
  // Each step of each row reports its failure under its own line and the rows go on.
  const RowPairs rows = RowPairs::identity(1, 1, rowCount);
  tellPairedRows(result, {sheet1, sheet2, rows, columns}, context.request.options, progress,
                 [&trap](RowStep step, const std::function<void()>& action) {
                   trap.at(wholeWorkbookLine(step), action);
                 });
  trap.at(WholeWorkbookLine::TableEnd, [&] { tellContents(result, contents); });
  trap.at(WholeWorkbookLine::TableEnd, [&] { result.endTable(); });
}

}  // namespace

ComparisonOutcome compareWholeWorkbooks(ComparisonContext& context) {
  ErrorTrap trap("Excel1", "DoItByFile", context.errors);
  ComparisonOutcome outcome;
  SpreadsheetSession& session = context.session;
  if (!session.isOpen()) {
    trap.line(WholeWorkbookLine::BothOpen);
    trap.report("The workbooks could not both be opened, so nothing was compared");
    closeSession(session);
    return outcome;
  }
  CountingResult result(context.result);
  const Workbook& book1 = *session.firstBook();
  const Workbook& book2 = *session.secondBook();
  trap.at(WholeWorkbookLine::BeginDocuments, [&] { beginResult(context, result, ""); });
  const std::size_t sheetCount = std::max(book1.sheetCount(), book2.sheetCount());
  std::set<std::string> anchorNames;
  if (context.request.options.align) {
    trap.at(WholeWorkbookLine::NextSheet, [&] {
      tellAlignedWorkbooks(
          result, book1, book2, context.request.options, context.progress,
          holdsOneSheet(context.request.path1) || holdsOneSheet(context.request.path2));
    });
  }
  for (std::size_t i = 1; i <= sheetCount && !context.request.options.align; ++i) {
    trap.line(WholeWorkbookLine::NextSheet);
    const Worksheet* sheet1 = i <= book1.sheetCount() ? &book1.sheet(i) : nullptr;
    const Worksheet* sheet2 = i <= book2.sheetCount() ? &book2.sheet(i) : nullptr;
    EmptySheet standIn(sheet1 ? sheet1->name() : sheet2->name());
    const std::string anchorName = uniqueAnchorName(standIn.name(), long(i), anchorNames);
    compareSheetPair(context, trap, result,
                     {sheet1, sheet2, sheet1 ? *sheet1 : standIn, sheet2 ? *sheet2 : standIn, i,
                      anchorName, book1, book2});
  }
  const int reportedBefore = trap.reported();
  trap.at(WholeWorkbookLine::WriteDocuments,
          [&] { tellWorkbookContents(result, book1, book2, context.request.options); });
  trap.at(WholeWorkbookLine::WriteDocuments, [&] {
    context.progress.setWriting();
    result.finish();
  });
  outcome = result.outcome();
  outcome.resultComplete = trap.reported() == reportedBefore && result.finished();
  trap.at(WholeWorkbookLine::CloseSession, [&] { closeSession(session); });
  return outcome;
}

}  // namespace quill
