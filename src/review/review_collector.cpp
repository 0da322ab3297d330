#include "review/review_collector.h"

#include <algorithm>

#include "formula/parsed_formula.h"
#include "report/content_wording.h"
#include "report/difference_items.h"
#include "report/text_renderer.h"
#include "sheet/address.h"

namespace quill {

namespace {

// A listing cell holds at most this many bytes, as the workbook's cells can.
constexpr std::size_t kMaxListedText = 32000;

void appendContent(std::string& contents, std::string_view place, std::string_view text) {
  if (text.empty() || contents.size() >= kMaxListedText) return;
  if (!contents.empty()) contents += "\n";
  contents.append(place);
  contents += ": ";
  contents.append(text.substr(0, kMaxListedText));
}

// What File #1 held in a cell, for the note on File #2's cell; sheet1 is empty where File #1
// lacks the worksheet.
std::string noteText(const DifferenceItem& item, const std::string& sheet1) {
  const CellPair& cell = *item.cell;
  std::string note = "FILE1";
  if (!sheet1.empty() && item.row1 > 0 && item.column1 > 0)
    note += " " + quotedSheetName(sheet1) + "!" + itemPlace(item.row1, item.column1);
  note += ": ";
  note += cell.text1.empty() ? std::string("(empty)") : std::string(cell.text1);
  if (!cell.formula1.empty() || !cell.formula2.empty())
    note += "\nFormula: " +
            (cell.formula1.empty() ? std::string("(no formula)") : std::string(cell.formula1));
  return note;
}

}  // namespace

void SheetMarks::complete() {
  std::stable_sort(cells.begin(), cells.end(), [](const CellMark& a, const CellMark& b) {
    return a.row != b.row ? a.row < b.row : a.column < b.column;
  });
  cells.erase(std::unique(cells.begin(), cells.end(),
                          [](const CellMark& a, const CellMark& b) {
                            return a.row == b.row && a.column == b.column;
                          }),
              cells.end());
  for (std::vector<LineMark>* lines : {&rows, &columns}) {
    std::stable_sort(lines->begin(), lines->end(),
                     [](const LineMark& a, const LineMark& b) { return a.line < b.line; });
    lines->erase(std::unique(lines->begin(), lines->end(),
                             [](const LineMark& a, const LineMark& b) { return a.line == b.line; }),
                 lines->end());
  }
}

void ReviewCollector::begin(const ResultHeading& heading) {
  result_.path1 = heading.path1;
  result_.path2 = heading.path2;
  result_.now = heading.now;
  result_.caption = heading.caption;
}

void ReviewCollector::beginTable(const TableStart& table) {
  sheet1_ = table.sheet1;
  sheet2_ = table.sheet2;
  inFirst_ = table.inFirst;
  inSecond_ = table.inSecond;
  position2_ = table.inSecond ? table.position2 : 0;
  removedColumns_.clear();
  if (tally_.beginTable(table)) listSheetStanding();
  visitColumnItems(table, [this](const DifferenceItem& item) {
    if (item.kind == ItemKind::ColumnRemoved && result_.listing.size() < kListingCapacity)
      removedColumns_.emplace_back(item.column1, result_.listing.size());
    addItem(item);
  });
}

void ReviewCollector::listSheetStanding() {
  const SheetPairSummary& pair = tally_.current();
  auto listStanding = [&](SheetChange change, std::string text1, std::string text2) {
    ListedDifference entry;
    entry.kind = std::string(sheetChangeNames(change).text);
    entry.sheet1 = inFirst_ ? sheet1_ : "";
    entry.sheet2 = inSecond_ ? sheet2_ : "";
    entry.text1 = std::move(text1);
    entry.text2 = std::move(text2);
    entry.sheetPosition2 = position2_;
    list(std::move(entry));
  };
  if (!pair.inFirst) listStanding(SheetChange::Added, "", "");
  // An aligned worksheet File #1 alone holds lists its rows after this, with their contents.
  if (!pair.inSecond) listStanding(SheetChange::Removed, "", "");
  if (pair.inFirst && pair.inSecond && pair.renamed)
    listStanding(SheetChange::Renamed, sheet1_, sheet2_);
  if (pair.inFirst && pair.inSecond && pair.samePosition)
    listStanding(SheetChange::SamePosition, sheet1_, sheet2_);
  if (pair.inFirst && pair.inSecond && pair.moved)
    listStanding(SheetChange::Moved, std::to_string(pair.position1),
                 std::to_string(pair.position2));
}

void ReviewCollector::line(const Line& line) {
  tally_.line(line);
  collectRemovedContents(line);
  const std::size_t listed = result_.listing.size();
  visitLineItems(line, tally_.oneSidedTable(),
                 [this](const DifferenceItem& item) { addItem(item); });
  // A removed row is listed with what File #1 held in it.
  if (line.kind == LineKind::RowRemoved && result_.listing.size() > listed)
    for (const CellPair& cell : line.cells)
      appendContent(result_.listing.back().text1, columnLetters(cell.column1), cell.text1);
  if (tally_.oneSidedTable() && line.kind == LineKind::RowAdded && position2_ > 0)
    result_.marks[position2_].rows.push_back({line.row2, MarkKind::RowAdded});
}

// Fills in what File #1 held in the line's removed columns, and lists a row of a worksheet
// File #1 alone holds with its contents.
void ReviewCollector::collectRemovedContents(const Line& line) {
  if (line.row1 == 0) return;
  for (const CellPair& cell : line.cells) {
    if (cell.text1.empty()) continue;
    for (const auto& [column, entry] : removedColumns_)
      if (column == cell.column1)
        appendContent(result_.listing[entry].text1, std::to_string(line.row1), cell.text1);
  }
  if (!(tally_.oneSidedTable() && line.kind == LineKind::RowRemoved)) return;
  ListedDifference entry;
  entry.kind = "row of a sheet only in FILE1";
  entry.sheet1 = sheet1_;
  entry.place1 = std::to_string(line.row1);
  for (const CellPair& cell : line.cells)
    appendContent(entry.text1, columnLetters(cell.column1), cell.text1);
  if (!entry.text1.empty()) list(std::move(entry));
}

void ReviewCollector::addItem(const DifferenceItem& item) {
  ListedDifference entry;
  entry.kind = std::string(itemKindNames(item.kind).text);
  entry.key = item.key;
  if (inFirst_ && (item.row1 > 0 || item.column1 > 0)) {
    entry.sheet1 = sheet1_;
    entry.place1 = itemPlace(item.row1, item.column1);
  }
  if (inSecond_ && (item.row2 > 0 || item.column2 > 0)) {
    entry.sheet2 = sheet2_;
    entry.place2 = itemPlace(item.row2, item.column2);
    entry.sheetPosition2 = position2_;
    entry.row2 = item.row2;
    entry.column2 = item.column2;
  }
  std::string note;
  if (const CellPair* cell = item.cell) {
    entry.text1 = cell->text1.substr(0, kMaxListedText);
    entry.text2 = cell->text2.substr(0, kMaxListedText);
    entry.formula1 = cell->formula1;
    entry.formula2 = cell->formula2;
    if (!cell->formula1.empty() || !cell->formula2.empty()) result_.formulasCompared = true;
    note = noteText(item, inFirst_ ? sheet1_ : std::string());
  }
  list(std::move(entry));
  if (item.kind != ItemKind::DuplicateKey) markItem(item, note);
}

void ReviewCollector::list(ListedDifference entry) {
  if (result_.listing.size() < kListingCapacity)
    result_.listing.push_back(std::move(entry));
  else
    ++result_.unlisted;
}

void ReviewCollector::markItem(const DifferenceItem& item, const std::string& note) {
  if (!inSecond_ || position2_ == 0) return;
  SheetMarks& marks = result_.marks[position2_];
  switch (item.kind) {
    case ItemKind::RowAdded:
      marks.rows.push_back({item.row2, MarkKind::RowAdded});
      return;
    case ItemKind::ColumnAdded:
      marks.columns.push_back({item.column2, MarkKind::ColumnAdded});
      return;
    case ItemKind::RowMoved:
      marks.rows.push_back({item.row2, MarkKind::RowMoved});
      return;
    case ItemKind::ColumnMoved:
      marks.columns.push_back({item.column2, MarkKind::ColumnMoved});
      return;
    case ItemKind::RowRemoved:
    case ItemKind::ColumnRemoved:
    case ItemKind::DuplicateKey:
      return;
    default:
      if (item.row2 > 0 && item.column2 > 0)
        marks.cells.push_back(CellMark{item.row2, item.column2, markKindOf(item), note});
  }
}

void ReviewCollector::contents(std::span<const ContentItem> items) {
  tally_.contents(items);
  for (const ContentItem& item : items) {
    ListedDifference entry;
    entry.kind = std::string(itemKindNames(item.kind).text);
    if (item.kind == ItemKind::DifferentFormat) entry.kind += " (" + item.detail + ")";
    if (workbookWide(item.kind)) {
      entry.place1 = entry.place2 = item.subject;
    } else {
      entry.sheet1 = sheet1_;
      entry.place1 = contentPlace(item, true);
      entry.sheet2 = sheet2_;
      entry.place2 = contentPlace(item, false);
      entry.sheetPosition2 = position2_;
      entry.row2 = item.row2;
      entry.column2 = item.column2;
    }
    const ContentSides sides = contentSides(item);
    const bool macro = item.kind >= ItemKind::MacroAdded && item.kind <= ItemKind::MacroProblem;
    entry.text1 = sides.text1.substr(0, kMaxListedText);
    entry.text2 = (macro ? item.detail : sides.text2).substr(0, kMaxListedText);
    list(std::move(entry));
  }
}

void ReviewCollector::endTable() {
  removedColumns_.clear();
}

void ReviewCollector::finish() {
  result_.summary = textSummary(tally_.pairs(), tally_.total());
  for (auto& [position, marks] : result_.marks) marks.complete();
}

}  // namespace quill
