#include "engine/aligned_workbook.h"

#include <algorithm>
#include <set>
#include <vector>

#include "engine/columns_reader.h"
#include "engine/contents_telling.h"
#include "engine/row_loop.h"
#include "engine/row_progress.h"
#include "engine/sheet_alignment.h"
#include "engine/sheet_pairing.h"
#include "engine/text_hash.h"

namespace quill {

namespace {

// A sheet's used area counted from A1, as the whole-workbook comparison reads it.
Area areaFromA1(const Worksheet& sheet) {
  const Area used = sheet.usedArea();
  return Area{1, 1, used.lastRow, used.lastColumn};
}

std::vector<long> columnsOf(const Area& area) {
  std::vector<long> columns;
  for (long c = area.firstColumn; c <= area.lastColumn; ++c) columns.push_back(c);
  return columns;
}

// What sheet pairing reads of a sheet: the hashes of the rows that hold anything, and which
// rows those are. Only rows in use are kept, so that many sheets with a far cell each cost
// no more than the cells they hold.
struct SheetRows {
  SheetSummary summary;
  std::vector<long> rows;
};

SheetRows sheetRows(const Worksheet& sheet, const ComparisonOptions& options) {
  const Area area = areaFromA1(sheet);
  const std::vector<long> columns = columnsOf(area);
  ColumnsReader reader(sheet, columns);
  SheetRows read{{sheet.name(), {}}, {}};
  for (long r = sheet.firstRowInUseFrom(1); r != 0 && r <= area.lastRow;
       r = sheet.firstRowInUseFrom(r + 1)) {
    const std::uint64_t hash = rowHash(options, reader.read(r));
    if (hash == 0) continue;
    read.summary.rowHashes.push_back(hash);
    read.rows.push_back(r);
  }
  return read;
}

std::vector<SheetRows> sheetsRows(const Workbook& book, const ComparisonOptions& options) {
  std::vector<SheetRows> sheets;
  for (std::size_t p = 1; p <= book.sheetCount(); ++p)
    sheets.push_back(sheetRows(book.sheet(p), options));
  return sheets;
}

std::vector<SheetSummary> summaries(const std::vector<SheetRows>& sheets) {
  std::vector<SheetSummary> summaries;
  for (const SheetRows& sheet : sheets) summaries.push_back(sheet.summary);
  return summaries;
}

// The hash of every row of a sheet's area from A1, 0 for the empty ones, as alignment takes
// them; made for one sheet pair at a time.
std::vector<std::uint64_t> everyRowHash(const SheetRows& sheet, long lastRow) {
  std::vector<std::uint64_t> hashes(std::size_t(std::max(lastRow, 0L)), 0);
  for (std::size_t k = 0; k < sheet.rows.size(); ++k)
    hashes[std::size_t(sheet.rows[k] - 1)] = sheet.summary.rowHashes[k];
  return hashes;
}

// Every row that holds anything and every column of one sheet alone, unpaired; its empty
// rows are left out, so that a far cell does not make a line of every row.
SheetAlignment oneSided(const Worksheet& sheet, bool first) {
  const Area area = areaFromA1(sheet);
  SheetAlignment alignment;
  for (long r = sheet.firstRowInUseFrom(1); r != 0 && r <= area.lastRow;
       r = sheet.firstRowInUseFrom(r + 1))
    alignment.rows.push_back(first ? RowPair{r, 0} : RowPair{0, r});
  for (long c = 1; c <= area.lastColumn; ++c)
    alignment.columns.push_back(first ? ColumnPair{c, 0} : ColumnPair{0, c});
  return alignment;
}

// Stands in for the worksheet that one workbook lacks.
class NoSheet final : public Worksheet {
 public:
  const std::string& name() const override { return name_; }
  Area usedArea() const override { return Area{}; }
  std::string_view cellText(long, long) const override { return {}; }
  long firstRowInUseFrom(long) const override { return 0; }

 private:
  std::string name_;
};

// Tells one aligned table; with books, a pair of sheets both have, also what the sheets hold
// besides cell texts, as far as the options compare it.
void tellTable(ResultSink& sink, TableStart table, const Worksheet& sheet1, const Worksheet& sheet2,
               const SheetAlignment& alignment, const ComparisonOptions& options,
               ProgressSink& progress, const Workbook* book1 = nullptr,
               const Workbook* book2 = nullptr) {
  table.columns = alignment.columns;
  table.rowsReordered = alignment.rowsReordered;
  const auto moved = [](const auto& pair) { return pair.moved; };
  table.anyMoved = alignment.rowsReordered ||
                   std::any_of(alignment.rows.begin(), alignment.rows.end(), moved) ||
                   std::any_of(alignment.columns.begin(), alignment.columns.end(), moved);
  std::vector<ContentItem> contents;
  if (book1 && book2)
    contents = sheetContentItems({*book1, *book2, sheet1, sheet2}, options, &alignment);
  table.contents = contents;
  sink.beginTable(table);
  RowProgress rows(progress);
  rows.begin(long(alignment.rows.size()));
  const RowPairs pairs = RowPairs::listed(alignment.rows);
  tellPairedRows(sink, {sheet1, sheet2, pairs, alignment.columns}, options, rows);
  tellContents(sink, contents);
  sink.endTable();
}

}  // namespace

std::string uniqueAnchorName(const std::string& name, long position, std::set<std::string>& used) {
  std::string unique = name;
  for (int extra = 1; !used.insert(unique).second; ++extra) {
    unique = name + " (" + std::to_string(position) + ")";
    if (extra > 1) unique += "(" + std::to_string(extra) + ")";
  }
  return unique;
}

void tellAlignedWorkbooks(ResultSink& sink, const Workbook& book1, const Workbook& book2,
                          const ComparisonOptions& options, ProgressSink& progress,
                          bool oneSheetFormat) {
  const std::vector<SheetRows> first = sheetsRows(book1, options);
  const std::vector<SheetRows> second = sheetsRows(book2, options);
  std::set<std::string> anchorNames;
  const NoSheet none;
  for (const SheetPairing& pairing :
       pairSheets(summaries(first), summaries(second), oneSheetFormat)) {
    const Worksheet& sheet1 =
        pairing.position1 ? book1.sheet(std::size_t(pairing.position1)) : none;
    const Worksheet& sheet2 =
        pairing.position2 ? book2.sheet(std::size_t(pairing.position2)) : none;
    TableStart table;
    table.sheet1 = sheet1.name();
    table.sheet2 = sheet2.name();
    table.inFirst = pairing.position1 != 0;
    table.inSecond = pairing.position2 != 0;
    table.position1 = pairing.position1;
    table.position2 = pairing.position2;
    table.aligned = table.alignedByContent = true;
    table.renamed = pairing.renamed;
    table.moved = pairing.moved;
    const std::string& shownName = table.inFirst ? sheet1.name() : sheet2.name();
    const std::string anchor = uniqueAnchorName(
        shownName, table.inFirst ? pairing.position1 : pairing.position2, anchorNames);
    table.anchorSheet = anchor;
    progress.setSheet(shownName);
    if (table.inFirst && table.inSecond) {
      const Area area1 = areaFromA1(sheet1), area2 = areaFromA1(sheet2);
      const std::vector<std::uint64_t> hashes1 =
          everyRowHash(first[std::size_t(pairing.position1 - 1)], area1.lastRow);
      const std::vector<std::uint64_t> hashes2 =
          everyRowHash(second[std::size_t(pairing.position2 - 1)], area2.lastRow);
      const SheetAlignment alignment =
          alignSheetAreas(sheet1, area1, sheet2, area2, options, &hashes1, &hashes2);
      tellTable(sink, table, sheet1, sheet2, alignment, options, progress, &book1, &book2);
    } else {
      tellTable(sink, table, sheet1, sheet2,
                oneSided(table.inFirst ? sheet1 : sheet2, table.inFirst), options, progress);
    }
  }
}

Area withinUsedArea(const Area& area, const Worksheet& sheet) {
  const Area used = sheet.usedArea();
  Area within = area;
  within.lastRow = std::max(area.firstRow - 1, std::min(area.lastRow, used.lastRow));
  within.lastColumn = std::max(area.firstColumn - 1, std::min(area.lastColumn, used.lastColumn));
  return within;
}

void tellAlignedAreas(ResultSink& sink, TableStart table, const Worksheet& sheet1,
                      const Area& area1, const Worksheet& sheet2, const Area& area2,
                      const ComparisonOptions& options, ProgressSink& progress) {
  const SheetAlignment alignment = alignSheetAreas(sheet1, area1, sheet2, area2, options);
  table.aligned = table.alignedByContent = true;
  tellTable(sink, table, sheet1, sheet2, alignment, options, progress);
}

}  // namespace quill
