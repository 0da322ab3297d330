#include "report/html_table.h"

#include "engine/difference_kinds.h"
#include "report/aligned_markup.h"
#include "report/content_markup.h"
#include "report/escape.h"
#include "report/templates.h"
#include "sheet/address.h"

namespace quill {

HtmlTable::HtmlTable(const TableStart& table, FilePaths files, ListedAnchors listed)
    : aligned_(table),
      sheet1_(table.sheet1),
      sheet2_(table.sheet2),
      columns_(table.columns.begin(), table.columns.end()),
      layout_(table.layout),
      keyed_(table.keyed),
      heading_(table.inFirst ? table.sheet1 : table.sheet2),
      firstLabel_(table.firstLabel),
      lastLabel_(table.lastLabel),
      anchorSheet_(table.anchorSheet),
      spanned_(table.spanned),
      paired_(table.columns.size(), 0),
      files_(files),
      listed_(listed ? std::move(listed) : [](std::string_view) {}),
      marks_(table.contents, table.anchorSheet) {
  for (const ColumnPair& column : table.columns) columnLabels_.push_back(column.column1);
  // The start's views point into the caller's strings; the kept copy points into ours.
  aligned_.sheet1 = sheet1_;
  aligned_.sheet2 = sheet2_;
  aligned_.anchorSheet = anchorSheet_;
  aligned_.columns = columns_;
  aligned_.firstLabel = aligned_.lastLabel = {};
  aligned_.contents = {};
}

void HtmlTable::begin(std::string& report, std::string& grid) {
  const long count = long(columnLabels_.size());
  if (aligned_.aligned) appendAlignedTableAnchor(grid, aligned_);
  switch (layout_) {
    case TableLayout::Sheet: {
      std::string listed;
      if (!marks_.listed().empty()) appendContentTable(listed, marks_.listed());
      appendSheetHeading(grid, heading_, count, listed);
      break;
    }
    case TableLayout::KeyedRows:
      appendRowsHeading(grid, firstLabel_, lastLabel_, spanned_);
      break;
    case TableLayout::KeyedColumns:
      appendColumnsHeading(grid, firstLabel_, lastLabel_, spanned_);
      break;
  }
  appendHeaderCorner(grid);
  // The key header line of keyed columns brings the labels of its own.
  if (aligned_.aligned)
    appendAlignedHeaderCells(grid, aligned_, [&](long column, std::string_view label) {
      appendColumnHeader(column, label, grid);
    });
  else if (layout_ != TableLayout::KeyedColumns || !keyed_)
    for (long column : columnLabels_) appendColumnHeader(column, columnLetters(column), grid);
  if (keyedLayout()) appendTableStart(report);
  if (aligned_.aligned) appendAlignedTableChanges(report, aligned_, listed_);
}

int HtmlTable::gridRowsOf(LineKind kind) {
  switch (kind) {
    case LineKind::KeyHeader:
      return 0;  // its cells join the header row
    case LineKind::KeyChanged:
      return 2;  // the row as each file has it
    case LineKind::Compared:
    case LineKind::KeyUnchanged:
    case LineKind::Hidden:
    case LineKind::EmptyRows:
    case LineKind::RowAdded:
    case LineKind::RowRemoved:
      break;
  }
  return 1;
}

std::string HtmlTable::title() const {
  std::string out;
  switch (layout_) {
    case TableLayout::Sheet:
      appendHtmlEscaped(out, heading_);
      break;
    case TableLayout::KeyedRows:
      appendRowsTitle(out, firstLabel_, lastLabel_);
      break;
    case TableLayout::KeyedColumns:
      appendColumnsTitle(out, firstLabel_, lastLabel_);
      break;
  }
  return out;
}

void HtmlTable::line(const Line& line, std::string& report, std::string& grid) {
  switch (line.kind) {
    case LineKind::EmptyRows:
      return appendEmptyRowsLine(grid, line.row1, line.lastRow1, long(columnLabels_.size()));
    case LineKind::KeyHeader:
      return appendKeyHeader(line, grid);
    case LineKind::KeyChanged:
      return appendChangedKeyLine(line, report, grid);
    case LineKind::Hidden:
      appendRowStart(grid);
      if (listRowPerLine()) appendRowStart(report);
      return;
    case LineKind::KeyUnchanged:
      appendRowStart(grid);
      appendRowStart(report);
      appendHeaderCell(grid, line.row1);
      for (const CellPair& pair : line.cells) appendDataCell(grid, pair.text1);
      return;
    case LineKind::RowAdded:
    case LineKind::RowRemoved:
      if (listRowPerLine()) appendRowStart(report);
      return appendAlignedRowLine(report, grid, line, aligned_, oneSided() ? nullptr : &listed_);
    case LineKind::Compared:
      return appendComparedLine(line, report, grid);
  }
}

void HtmlTable::end(std::string& report, std::string& grid) const {
  appendTableEnd(grid);
  if (keyedLayout()) appendTableEnd(report);
}

bool HtmlTable::listRowPerLine() const {
  return layout_ == TableLayout::KeyedRows || (layout_ == TableLayout::KeyedColumns && !keyed_);
}

void HtmlTable::appendComparedLine(const Line& line, std::string& report, std::string& grid) {
  appendRowStart(grid);
  if (listRowPerLine()) appendRowStart(report);
  if (line.duplicateKey) {
    // Rows of a repeated key are paired in order of appearance; the list says so once a row.
    const std::string rowName = anchor(line.row1, 0);
    appendAlignedChangeRow(report, itemKindNames(ItemKind::DuplicateKey).document, rowName);
    list(rowName);
    appendAlignedCell(grid, "header", rowName, std::to_string(line.row1));
  } else if (line.moved) {
    appendMovedRowStart(report, grid, line, aligned_, listed_);
  } else {
    const std::string label =
        aligned_.alignedByContent ? alignedRowLabel(line, true) : std::to_string(line.row1);
    appendRowHeader(line.row1, label, grid);
  }
  const bool pairing = layout_ == TableLayout::KeyedColumns && keyed_;
  for (std::size_t i = 0; i < line.cells.size(); ++i) {
    const CellPair& pair = line.cells[i];
    if (pair.emptyThrough > 0) {
      appendEmptyColumnsCell(grid, pair.column1, pair.emptyThrough);
      continue;
    }
    if (pair.column1 == 0 || pair.column2 == 0) {
      appendAlignedCellOf(pair, grid);
      continue;
    }
    GridMark* mark = marks_.cell(line.row1, pair.column1);
    if (mark && pair.difference == DifferenceKind::None && !pairing) {
      appendMark(*mark, pair.text1, grid);
      continue;
    }
    std::string cellName;
    if (pair.difference != DifferenceKind::None) {
      cellName = anchor(line.row1, pair.column1);
      // The cell's anchor is the mark's too, so the mark's row of the list lands there.
      if (mark) mark->drawn = true;
      appendListedDifference(report, files_, cellName, pair);
      list(cellName);
    }
    if (pairing && i < paired_.size())
      appendKeyedColumnCell(i, pair, cellName, grid);
    else
      appendComparedCell(grid, files_, cellName, pair, ColumnForm::Single);
  }
}

// A column whose values changed in both files takes two grid cells from then on.
void HtmlTable::appendKeyedColumnCell(std::size_t index, const CellPair& pair,
                                      std::string_view cellName, std::string& grid) {
  char& paired = paired_[index];
  if (pair.difference == DifferenceKind::DifferentValue) {
    appendPairedChangedCell(grid, cellName, pair.text1, pair.text2);
    paired = 1;
    return;
  }
  appendComparedCell(grid, files_, cellName, pair,
                     paired ? ColumnForm::Paired : ColumnForm::Single);
}

void HtmlTable::appendKeyHeader(const Line& line, std::string& grid) const {
  for (const CellPair& pair : line.cells) {
    const std::string letters = columnLetters(pair.column1);
    if (pair.difference == DifferenceKind::None) {
      appendHeaderCell(grid, letters);
      continue;
    }
    const std::string cellName = anchor(line.row1, pair.column1);
    appendAddedCell(grid, files_.path1, cellName, letters);
    appendRemovedCell(grid, files_.path1, cellName, letters);
  }
}

// The line is shown once for each file, each opened by the row's number marked added and
// removed, which the list's links land on as the cell of column 0; the first one's key cells
// that differ carry the anchors their rows of the list link to.
void HtmlTable::appendChangedKeyLine(const Line& line, std::string& report,
                                     std::string& grid) const {
  appendRowStart(grid);
  appendRowStart(report);
  const std::string rowName = anchor(line.row1, 0);
  const std::string label = std::to_string(line.row1);
  appendAddedCell(grid, files_.path1, rowName, label);
  for (const CellPair& pair : line.cells) {
    if (pair.difference == DifferenceKind::None) {
      appendDataCell(grid, pair.text1);
      continue;
    }
    const std::string cellName = anchor(line.row1, pair.column1);
    appendListedDifference(report, files_, cellName, pair);
    list(cellName);
    appendAnchoredDataCell(grid, cellName, pair.text1);
  }
  appendRowEnd(grid);
  appendRemovedCell(grid, files_.path1, rowName, label);
  for (const CellPair& pair : line.cells) appendDataCell(grid, pair.text2);
}

// A cell of an added or removed column, which its column's row of the list stands for.
void HtmlTable::appendAlignedCellOf(const CellPair& pair, std::string& grid) const {
  if (pair.column1 == 0)
    appendAlignedCell(grid, "added", "", pair.text2);
  else
    appendAlignedCell(grid, "removed", "", pair.text1);
}

void HtmlTable::appendRowHeader(long row, std::string_view label, std::string& grid) {
  if (GridMark* mark = marks_.row(row))
    appendMark(*mark, label, grid);
  else
    appendHeaderCell(grid, label);
}

void HtmlTable::appendColumnHeader(long column, std::string_view label, std::string& grid) {
  if (GridMark* mark = marks_.column(column))
    appendMark(*mark, label, grid);
  else
    appendHeaderCell(grid, label);
}

// The first place drawn for a mark carries its anchor; the others of a run share its look.
void HtmlTable::appendMark(GridMark& mark, std::string_view text, std::string& grid) {
  appendMarkedCell(grid, markClass(mark.style), mark.title, mark.drawn ? "" : mark.anchor, text);
  mark.drawn = true;
}

std::string HtmlTable::anchor(long row, long column) const {
  return cellAnchor(anchorSheet_, row, column);
}

}  // namespace quill
