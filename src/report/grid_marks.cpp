#include "report/grid_marks.h"

#include <algorithm>
#include <iterator>

#include "report/content_wording.h"
#include "report/escape.h"
#include "report/templates.h"

namespace quill {

namespace {

// What a tooltip says of one item: its kind, and what changed of a format or which range
// was merged.
std::string titleOf(const ContentItem& item) {
  std::string what(itemKindNames(item.kind).document);
  if (item.kind == ItemKind::DifferentFormat) what += " (" + item.detail + ")";
  if (item.kind == ItemKind::MergedAdded || item.kind == ItemKind::MergedRemoved)
    what += " " + item.subject;
  std::string title;
  appendHtmlEscaped(title, what);
  return title;
}

// A second difference at a marked place joins its tooltip on a line of its own.
void joinTitle(GridMark& mark, const ContentItem& item) {
  mark.title += "&#10;" + titleOf(item);
}

bool isCellKind(ItemKind kind) {
  return kind == ItemKind::DifferentNote || kind == ItemKind::DifferentFormat ||
         kind == ItemKind::MergedAdded || kind == ItemKind::MergedRemoved;
}

}  // namespace

GridMarks::GridMarks(std::span<const ContentItem> items, std::string_view anchorSheet)
    : sheet_(anchorSheet) {
  for (const ContentItem& item : items) {
    const bool merged = item.kind == ItemKind::MergedAdded || item.kind == ItemKind::MergedRemoved;
    if (merged || !isCellKind(item.kind)) listed_.push_back(item);
    const std::optional<MarkStyle> style = markStyleOf(item.kind);
    if (!style) continue;
    if (isCellKind(item.kind)) {
      if (item.row1 > 0 && item.column1 > 0) addCell(item, *style);
    } else if (item.row1 > 0) {
      addRun(rows_, item.row1, item, *style);
    } else if (item.column1 > 0) {
      addRun(columns_, item.column1, item, *style);
    }
  }
}

GridMark* GridMarks::cell(long row, long column) {
  const auto found = cells_.find({row, column});
  return found == cells_.end() ? nullptr : &found->second;
}

std::string GridMarks::drawnAnchor(const ContentItem& item) {
  const GridMark* mark = markOf(item);
  return mark && mark->drawn ? mark->anchor : std::string();
}

GridMark* GridMarks::inRun(Runs& runs, long line) {
  auto after = runs.upper_bound(line);
  if (after == runs.begin()) return nullptr;
  auto& [last, mark] = std::prev(after)->second;
  return line <= last ? &mark : nullptr;
}

GridMark* GridMarks::markOf(const ContentItem& item) {
  if (!markStyleOf(item.kind)) return nullptr;
  if (isCellKind(item.kind)) return cell(item.row1, item.column1);
  if (item.row1 > 0) return row(item.row1);
  if (item.column1 > 0) return column(item.column1);
  return nullptr;
}

void GridMarks::addCell(const ContentItem& item, MarkStyle style) {
  const auto [at, added] = cells_.try_emplace(std::pair{item.row1, item.column1});
  GridMark& mark = at->second;
  if (!added) return joinTitle(mark, item);
  mark.anchor = cellAnchor(sheet_, item.row1, item.column1);
  mark.style = style;
  mark.title = titleOf(item);
}

// A run that overlaps one marked already is left to the heading's list.
void GridMarks::addRun(Runs& runs, long first, const ContentItem& item, MarkStyle style) {
  const long last = first + std::max(item.count, 1L) - 1;
  const auto after = runs.upper_bound(last);
  if (after != runs.begin() && std::prev(after)->second.first >= first) return;
  GridMark mark;
  mark.anchor = sheet_ + "!" + contentPlace(item, true);
  mark.style = style;
  mark.title = titleOf(item);
  runs.emplace(first, std::pair{last, std::move(mark)});
}

}  // namespace quill
