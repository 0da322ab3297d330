#include "engine/sheet_contents_comparison.h"

#include <algorithm>
#include <set>
#include <tuple>

#include "sheet/address.h"

namespace quill {

namespace {

const char* visibilityName(SheetVisibility visibility) {
  switch (visibility) {
    case SheetVisibility::Hidden:
      return "hidden";
    case SheetVisibility::VeryHidden:
      return "very hidden";
    case SheetVisibility::Visible:
      break;
  }
  return "visible";
}

void compareVisibility(const SheetContentsPair& pair, std::vector<ContentItem>& items) {
  const SheetVisibility before = pair.sheet1.visibility, after = pair.sheet2.visibility;
  if (before == after) return;
  ContentItem item =
      contentItem(after == SheetVisibility::Visible ? ItemKind::SheetShown : ItemKind::SheetHidden);
  item.text1 = visibilityName(before);
  item.text2 = visibilityName(after);
  items.push_back(std::move(item));
}

bool hiddenAt(const std::vector<LineSpan>& spans, long line) {
  auto after = std::upper_bound(spans.begin(), spans.end(), line,
                                [](long l, const LineSpan& span) { return l < span.first; });
  return after != spans.begin() && std::prev(after)->last >= line;
}

// Gathers the lines hidden in one file alone into runs, one item each.
class HiddenRuns {
 public:
  HiddenRuns(bool rows, std::vector<ContentItem>& items) : rows_(rows), items_(items) {}

  // The lines line1 and line2 pair, hidden in file 1 and file 2 as told.
  void pairOf(long line1, long line2, bool hidden1, bool hidden2) {
    if (hidden1 == hidden2) {
      open_ = false;
      return;
    }
    const ItemKind kind = hidden2 ? (rows_ ? ItemKind::RowHidden : ItemKind::ColumnHidden)
                                  : (rows_ ? ItemKind::RowShown : ItemKind::ColumnShown);
    ContentItem* last = open_ ? &items_.back() : nullptr;
    if (last != nullptr && last->kind == kind && line1 == next1_ && line2 == next2_) {
      ++last->count;
    } else {
      ContentItem item = contentItem(kind);
      (rows_ ? item.row1 : item.column1) = line1;
      (rows_ ? item.row2 : item.column2) = line2;
      items_.push_back(std::move(item));
      open_ = true;
    }
    next1_ = line1 + 1;
    next2_ = line2 + 1;
  }
  // Lines of one stretch that differ alike: count lines from line1 and line2 on.
  void stretch(long line1, long line2, long count, bool hidden1, bool hidden2) {
    pairOf(line1, line2, hidden1, hidden2);
    if (open_ && count > 1) {
      items_.back().count += count - 1;
      next1_ += count - 1;
      next2_ += count - 1;
    }
  }
  void breakRun() { open_ = false; }

 private:
  bool rows_;
  std::vector<ContentItem>& items_;
  bool open_ = false;
  long next1_ = 0, next2_ = 0;
};

void compareLines(const std::vector<LineSpan>& spans1, const std::vector<LineSpan>& spans2,
                  const LineMap& map, bool rows, std::vector<ContentItem>& items) {
  if (spans1.empty() && spans2.empty()) return;
  HiddenRuns runs(rows, items);
  for (const auto& [line1, line2] : map.pairs()) {
    if (line1 == 0 || line2 == 0) {
      runs.breakRun();
      continue;
    }
    runs.pairOf(line1, line2, hiddenAt(spans1, line1), hiddenAt(spans2, line2));
  }
  runs.breakRun();
  // Past the paired lines, in stretches between the ends of the spans, in file 1's lines.
  const long shift = map.last2() - map.last1();
  const long limit = (rows ? kMaxRows : kMaxColumns) - std::max(0L, shift);
  std::vector<long> bounds{map.last1() + 1};
  for (const LineSpan& span : spans1) bounds.insert(bounds.end(), {span.first, span.last + 1});
  for (const LineSpan& span : spans2)
    bounds.insert(bounds.end(), {span.first - shift, span.last + 1 - shift});
  std::sort(bounds.begin(), bounds.end());
  bounds.erase(std::unique(bounds.begin(), bounds.end()), bounds.end());
  for (std::size_t i = 0; i + 1 < bounds.size(); ++i) {
    const long from = bounds[i], to = std::min(bounds[i + 1] - 1, limit);
    if (from <= map.last1() || from > to) continue;
    runs.stretch(from, from + shift, to - from + 1, hiddenAt(spans1, from),
                 hiddenAt(spans2, from + shift));
  }
}

std::string areaText(const Area& area) {
  std::string text = columnLetters(area.firstColumn) + std::to_string(area.firstRow);
  if (area.rows() == 1 && area.columns() == 1) return text;
  return text + ":" + columnLetters(area.lastColumn) + std::to_string(area.lastRow);
}

// The area of the other file that an area pairs with through the maps, given as a function
// of a line; nothing when a corner's row or column has no partner.
template <class ToRow, class ToColumn>
std::optional<Area> mappedArea(const Area& area, ToRow&& row, ToColumn&& column) {
  const Area mapped{row(area.firstRow), column(area.firstColumn), row(area.lastRow),
                    column(area.lastColumn)};
  if (mapped.firstRow == 0 || mapped.firstColumn == 0 || mapped.lastRow == 0 ||
      mapped.lastColumn == 0)
    return std::nullopt;
  return mapped;
}

using AreaKey = std::tuple<long, long, long, long>;

AreaKey keyOf(const Area& area) {
  return {area.firstRow, area.firstColumn, area.lastRow, area.lastColumn};
}

}  // namespace

void compareHiddenLines(const SheetContentsPair& pair, std::vector<ContentItem>& items) {
  compareLines(pair.sheet1.hiddenRows, pair.sheet2.hiddenRows, pair.rows, true, items);
  compareLines(pair.sheet1.hiddenColumns, pair.sheet2.hiddenColumns, pair.columns, false, items);
}

void compareMerged(const SheetContentsPair& pair, std::vector<ContentItem>& items) {
  const LineMap& rows = pair.rows;
  const LineMap& columns = pair.columns;
  std::set<AreaKey> areas1, areas2;
  for (const Area& area : pair.sheet1.merged) areas1.insert(keyOf(area));
  for (const Area& area : pair.sheet2.merged) areas2.insert(keyOf(area));
  for (const Area& area : pair.sheet1.merged) {
    const auto mapped = mappedArea(
        area, [&](long r) { return rows.toSecond(r); },
        [&](long c) { return columns.toSecond(c); });
    if (!mapped || areas2.count(keyOf(*mapped))) continue;
    ContentItem item = contentItem(ItemKind::MergedRemoved);
    item.row1 = area.firstRow;
    item.column1 = area.firstColumn;
    item.row2 = mapped->firstRow;
    item.column2 = mapped->firstColumn;
    item.subject = areaText(area);
    items.push_back(std::move(item));
  }
  for (const Area& area : pair.sheet2.merged) {
    const auto mapped = mappedArea(
        area, [&](long r) { return rows.toFirst(r); }, [&](long c) { return columns.toFirst(c); });
    if (!mapped || areas1.count(keyOf(*mapped))) continue;
    ContentItem item = contentItem(ItemKind::MergedAdded);
    item.row1 = mapped->firstRow;
    item.column1 = mapped->firstColumn;
    item.row2 = area.firstRow;
    item.column2 = area.firstColumn;
    item.subject = areaText(area);
    items.push_back(std::move(item));
  }
}

std::vector<ContentItem> compareSheetContents(const SheetContentsPair& pair,
                                              const ContentsToRead& compared) {
  std::vector<ContentItem> items;
  if (compared.hidden) compareVisibility(pair, items);
  if (compared.notes) compareNotes(pair, items);
  if (compared.hidden) compareHiddenLines(pair, items);
  if (compared.merged) compareMerged(pair, items);
  if (compared.formats) compareFormats(pair, items);
  return items;
}

}  // namespace quill
