#include "engine/sheet_alignment.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <set>
#include <string>

#include "engine/cell_difference.h"
#include "engine/columns_reader.h"
#include "engine/sequence_alignment.h"
#include "engine/text_hash.h"

namespace quill {

namespace {

// Columns are hashed from at most this many paired rows, and compared for likeness over at
// most this many, so that aligning columns costs little beside the rows.
constexpr std::size_t kMostRowsForColumnHashes = 2000;
constexpr std::size_t kMostRowsForColumnLikeness = 200;

// The columns of an area in order, as worksheet numbers.
std::vector<long> areaColumns(const Area& area) {
  std::vector<long> columns;
  for (long c = area.firstColumn; c <= area.lastColumn; ++c) columns.push_back(c);
  return columns;
}

bool readsAsNumber(std::string_view text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

// What a cell weighs in the likeness of rows: a text that is not a number (a label, a name, a
// key) tells which row it is more than a number, which is what changes in a changed row.
constexpr double kTextWeight = 3;
// Rows (columns) less alike than this are one removed and one added.
constexpr double kLeastLikeness = 0.5;

double cellWeight(std::string_view text) {
  return text.empty() ? 0 : readsAsNumber(text) ? 1 : kTextWeight;
}

// How alike two rows are: the share of the weight of the cells either holds that match, over
// the columns both files have (empty cells count for nothing); 0 below kLeastLikeness. Rows
// that differ in one cell alone are alike however little else they hold: one edited cell.
double rowLikeness(const Worksheet& sheet1, long row1, const Worksheet& sheet2, long row2,
                   const std::vector<ColumnPair>& columns, const ComparisonOptions& options) {
  double held = 0, matching = 0;
  long differing = 0;
  for (const ColumnPair& pair : columns) {
    if (pair.column1 == 0 || pair.column2 == 0) continue;
    const std::string_view text1 = sheet1.cellText(row1, pair.column1);
    const std::string_view text2 = sheet2.cellText(row2, pair.column2);
    if (text1.empty() && text2.empty()) continue;
    const double weight = std::max(cellWeight(text1), cellWeight(text2));
    held += weight;
    if (textsMatch(options, text1, text2))
      matching += weight;
    else
      ++differing;
  }
  const double likeness = held > 0 ? matching / held : 0;
  if (differing == 1) return std::max(likeness, kLeastLikeness);
  return likeness >= kLeastLikeness ? likeness : 0;
}

// A first row looks like a header when it holds two or more texts, none a number, no two
// alike.
bool looksLikeHeader(const std::vector<std::string_view>& texts, const ComparisonOptions& options) {
  std::set<std::string> seen;
  for (std::string_view text : texts) {
    if (text.empty()) continue;
    if (readsAsNumber(text) || !seen.insert(comparableText(options, text)).second) return false;
  }
  return seen.size() >= 2;
}

// One hash per column from its header text; an empty header matches nothing.
std::vector<std::uint64_t> headerHashes(const std::vector<std::string_view>& texts,
                                        const ComparisonOptions& options, std::uint64_t side) {
  std::vector<std::uint64_t> hashes;
  for (std::size_t k = 0; k < texts.size(); ++k)
    hashes.push_back(texts[k].empty() ? (side << 32) + k : textHash(options, texts[k]));
  return hashes;
}

// The rows that column hashes and likeness are taken over: the rows the alignment paired,
// or, when it paired fewer than half of the shorter area's rows (as when a column inserted
// changes every row), the rows paired by position.
std::vector<RowPair> sampleRows(const std::vector<RowPair>& rows, const Area& area1,
                                const Area& area2, std::size_t most) {
  std::vector<RowPair> paired;
  for (const RowPair& pair : rows)
    if (pair.row1 != 0 && pair.row2 != 0 && paired.size() < most) paired.push_back(pair);
  const long shorter = std::min(area1.rows(), area2.rows());
  if (2 * long(paired.size()) >= std::min(shorter, long(most))) return paired;
  paired.clear();
  for (long k = 0; k < shorter && paired.size() < most; ++k)
    paired.push_back({area1.firstRow + k, area2.firstRow + k});
  return paired;
}

// One hash per column from its texts in the given rows of one file.
std::vector<std::uint64_t> contentHashes(const Worksheet& sheet, const std::vector<long>& columns,
                                         const std::vector<RowPair>& rows, bool second,
                                         const ComparisonOptions& options) {
  std::vector<std::uint64_t> hashes(columns.size(), 0);
  ColumnsReader reader(sheet, columns);
  std::uint64_t ordinal = 0;
  for (const RowPair& pair : rows) {
    const auto& texts = reader.read(second ? pair.row2 : pair.row1);
    ++ordinal;
    for (std::size_t k = 0; k < texts.size(); ++k)
      if (!texts[k].empty())
        hashes[k] = textHash(options, texts[k]) + hashes[k] * 31 + ordinal * 0x9e3779b97f4a7c15ull;
  }
  return hashes;
}

std::vector<RowPair> rowPairs(const std::vector<AlignedPair>& steps, long first1, long first2) {
  std::vector<RowPair> rows;
  rows.reserve(steps.size());
  for (const AlignedPair& step : steps)
    rows.push_back({step.index1 < 0 ? 0 : first1 + step.index1,
                    step.index2 < 0 ? 0 : first2 + step.index2, step.moved});
  return rows;
}

// Aligns and pairs rows in the given column pairing.
class RowAligner {
 public:
  RowAligner(const Worksheet& sheet1, const Area& area1, const Worksheet& sheet2, const Area& area2,
             const ComparisonOptions& options)
      : sheet1_(sheet1), area1_(area1), sheet2_(sheet2), area2_(area2), options_(options) {}

  // Aligns the rows over the paired columns; hashes already known over them are taken.
  std::vector<RowPair> align(const std::vector<ColumnPair>& columns,
                             const std::vector<std::uint64_t>* known1 = nullptr,
                             const std::vector<std::uint64_t>* known2 = nullptr) {
    // An added or removed column is reported once, as a column: its texts leave the rows
    // that hold them equal.
    std::vector<long> columns1, columns2;
    for (const ColumnPair& pair : columns)
      if (pair.column1 != 0 && pair.column2 != 0)
        columns1.push_back(pair.column1), columns2.push_back(pair.column2);
    hashes1_ = known1 ? *known1
                      : areaRowHashes(sheet1_, area1_.firstRow, area1_.lastRow, columns1, options_);
    hashes2_ = known2 ? *known2
                      : areaRowHashes(sheet2_, area2_.firstRow, area2_.lastRow, columns2, options_);
    const auto alike = [&](long index1, long index2) {
      return rowLikeness(sheet1_, area1_.firstRow + index1, sheet2_, area2_.firstRow + index2,
                         columns, options_);
    };
    return rowPairs(alignSequences(hashes1_, hashes2_, alike, true), area1_.firstRow,
                    area2_.firstRow);
  }

  // Whether the rows paired with equal texts are at least half of the rows either file
  // holds anything in: then the columns evidently pair as they stand.
  bool mostlyEqual(const std::vector<RowPair>& rows) const {
    long equal = 0;
    for (const RowPair& pair : rows)
      if (pair.row1 != 0 && pair.row2 != 0) {
        const std::uint64_t hash = hashes1_[std::size_t(pair.row1 - area1_.firstRow)];
        if (hash != 0 && hash == hashes2_[std::size_t(pair.row2 - area2_.firstRow)]) ++equal;
      }
    const auto held = [](const std::vector<std::uint64_t>& hashes) {
      return long(std::count_if(hashes.begin(), hashes.end(), [](auto h) { return h != 0; }));
    };
    return 2 * equal >= std::max(held(hashes1_), held(hashes2_));
  }

 private:
  const Worksheet& sheet1_;
  const Area& area1_;
  const Worksheet& sheet2_;
  const Area& area2_;
  const ComparisonOptions& options_;
  std::vector<std::uint64_t> hashes1_, hashes2_;
};

std::vector<ColumnPair> columnPairs(const std::vector<AlignedPair>& steps, long first1,
                                    long first2) {
  std::vector<ColumnPair> columns;
  for (const AlignedPair& step : steps)
    columns.push_back({step.index1 < 0 ? 0 : first1 + step.index1,
                       step.index2 < 0 ? 0 : first2 + step.index2, step.moved});
  return columns;
}

bool alone(const AlignedPair& step) {
  return step.index1 < 0 || step.index2 < 0;
}

// Under headers, a column of each file alone between the same two neighbours (paired columns or
// the ends) is one column renamed whose values all changed: the two are paired as one changed
// column instead of one removed and one added.
void pairRenamedColumns(std::vector<AlignedPair>& steps) {
  std::vector<AlignedPair> kept;
  kept.reserve(steps.size());
  for (std::size_t begin = 0; begin < steps.size();) {
    std::size_t end = begin;
    while (end < steps.size() && alone(steps[end])) ++end;
    if (end - begin == 2 && (steps[begin].index1 < 0) != (steps[begin + 1].index1 < 0)) {
      const AlignedPair& a = steps[begin];
      const AlignedPair& b = steps[begin + 1];
      kept.push_back({std::max(a.index1, b.index1), std::max(a.index2, b.index2)});
    } else {
      kept.insert(kept.end(), steps.begin() + long(begin), steps.begin() + long(end));
    }
    if (end < steps.size()) kept.push_back(steps[end]);
    begin = end + 1;
  }
  steps = std::move(kept);
}

std::vector<ColumnPair> alignColumns(const Worksheet& sheet1, const Area& area1,
                                     const Worksheet& sheet2, const Area& area2,
                                     const std::vector<RowPair>& rows,
                                     const ComparisonOptions& options) {
  const std::vector<long> columns1 = areaColumns(area1), columns2 = areaColumns(area2);
  ColumnsReader top1(sheet1, columns1), top2(sheet2, columns2);
  const auto& header1 = top1.read(area1.firstRow);
  const auto& header2 = top2.read(area2.firstRow);
  std::vector<std::uint64_t> hashes1, hashes2;
  const bool headers = looksLikeHeader(header1, options) && looksLikeHeader(header2, options);
  if (headers) {
    hashes1 = headerHashes(header1, options, 1);
    hashes2 = headerHashes(header2, options, 2);
  } else {
    const std::vector<RowPair> sample = sampleRows(rows, area1, area2, kMostRowsForColumnHashes);
    hashes1 = contentHashes(sheet1, columns1, sample, false, options);
    hashes2 = contentHashes(sheet2, columns2, sample, true, options);
  }
  const std::vector<RowPair> likenessRows =
      sampleRows(rows, area1, area2, kMostRowsForColumnLikeness);
  const auto alike = [&](long index1, long index2) {
    long held = 0, matching = 0;
    for (const RowPair& pair : likenessRows) {
      const std::string_view text1 = sheet1.cellText(pair.row1, area1.firstColumn + index1);
      const std::string_view text2 = sheet2.cellText(pair.row2, area2.firstColumn + index2);
      if (text1.empty() && text2.empty()) continue;
      ++held;
      if (textsMatch(options, text1, text2)) ++matching;
    }
    const double likeness = held > 0 ? double(matching) / double(held) : 0;
    return likeness >= kLeastLikeness ? likeness : 0;
  };
  std::vector<AlignedPair> steps = alignSequences(hashes1, hashes2, alike, true);
  if (headers) pairRenamedColumns(steps);
  return columnPairs(steps, area1.firstColumn, area2.firstColumn);
}

// Whether every column pairs with one of the other file, none moved.
bool everyColumnInPlace(const std::vector<ColumnPair>& columns) {
  return std::all_of(columns.begin(), columns.end(), [](const ColumnPair& pair) {
    return pair.column1 != 0 && pair.column2 != 0 && !pair.moved;
  });
}

// Nearly every row pair that holds anything moved: the rows were reordered as a whole, which
// is told once instead of row by row.
constexpr long kFewestReorderedRows = 10;
void markReordered(SheetAlignment& alignment) {
  long paired = 0, moved = 0;
  for (const RowPair& pair : alignment.rows)
    if (pair.row1 != 0 && pair.row2 != 0) ++paired, moved += pair.moved ? 1 : 0;
  if (moved < kFewestReorderedRows || 5 * moved < 4 * paired) return;
  alignment.rowsReordered = true;
  for (RowPair& pair : alignment.rows) pair.moved = false;
}

// Columns paired by position, the wider area's extra columns added or removed at its end.
std::vector<ColumnPair> columnsByPosition(const Area& area1, const Area& area2) {
  std::vector<ColumnPair> columns;
  const long width = std::max(area1.columns(), area2.columns());
  for (long k = 0; k < width; ++k)
    columns.push_back({k < area1.columns() ? area1.firstColumn + k : 0,
                       k < area2.columns() ? area2.firstColumn + k : 0});
  return columns;
}

}  // namespace

std::vector<std::uint64_t> areaRowHashes(const Worksheet& sheet, long firstRow, long lastRow,
                                         const std::vector<long>& columns,
                                         const ComparisonOptions& options) {
  std::vector<std::uint64_t> hashes(std::size_t(std::max(0L, lastRow - firstRow + 1)), 0);
  ColumnsReader reader(sheet, columns);
  for (long row = firstRow; row <= lastRow; ++row) {
    // Rows the sheet holds nothing in keep the hash 0 without being read.
    const long inUse = sheet.firstRowInUseFrom(row);
    if (inUse == 0) break;
    row = std::max(row, inUse);
    if (row > lastRow) break;
    hashes[std::size_t(row - firstRow)] = rowHash(options, reader.read(row));
  }
  return hashes;
}

SheetAlignment alignSheetAreas(const Worksheet& sheet1, const Area& area1, const Worksheet& sheet2,
                               const Area& area2, const ComparisonOptions& options,
                               const std::vector<std::uint64_t>* knownHashes1,
                               const std::vector<std::uint64_t>* knownHashes2) {
  SheetAlignment alignment;
  alignment.columns = columnsByPosition(area1, area2);
  RowAligner rows(sheet1, area1, sheet2, area2, options);
  // Known hashes cover every column of each area: the columns paired by position when the
  // areas are as wide.
  const bool asWide = area1.columns() == area2.columns() && knownHashes1 && knownHashes2;
  alignment.rows = rows.align(alignment.columns, asWide ? knownHashes1 : nullptr,
                              asWide ? knownHashes2 : nullptr);
  std::vector<ColumnPair> columns;
  if (area1.columns() != area2.columns() || !rows.mostlyEqual(alignment.rows))
    columns = alignColumns(sheet1, area1, sheet2, area2, alignment.rows, options);
  if (!columns.empty() && !(everyColumnInPlace(columns) && area1.columns() == area2.columns())) {
    alignment.columns = std::move(columns);
    alignment.rows = rows.align(alignment.columns);
  }
  markReordered(alignment);
  return alignment;
}

}  // namespace quill
