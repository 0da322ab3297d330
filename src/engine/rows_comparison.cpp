#include "engine/rows_comparison.h"

#include <string>
#include <string_view>
#include <vector>

#include "engine/cell_comparison.h"
#include "engine/chosen_sheets.h"
#include "engine/keyed_comparison.h"
#include "engine/request_fields.h"
#include "report/templates.h"
#include "sheet/workbook.h"

namespace quill {

namespace {

enum class ColumnRole : char { Compared, Identifying, Ignored };

// What each column of the area is: ignored wins over identifying.
std::vector<ColumnRole> columnRoles(const Area& area, const std::vector<long>& identifying,
                                    const std::vector<long>& ignored) {
  std::vector<ColumnRole> roles(std::size_t(area.columns()), ColumnRole::Compared);
  auto mark = [&](const std::vector<long>& columns, ColumnRole role) {
    for (long column : columns)
      if (column >= area.firstColumn && column <= area.lastColumn)
        roles[std::size_t(column - area.firstColumn)] = role;
  };
  mark(identifying, ColumnRole::Identifying);
  mark(ignored, ColumnRole::Ignored);
  return roles;
}

// Builds the bodies row by row; keeps the texts of the current row and the two lines of a
// row whose key differs, reused from row to row.
class RowsBuilder final : public KeyedBodiesBuilder {
 public:
  RowsBuilder(ComparisonContext& context, const ChosenSheets& sheets, const Area& area,
              std::vector<ColumnRole> roles, bool keyed)
      : context_(context),
        sheets_(sheets),
        area_(area),
        roles_(std::move(roles)),
        keyed_(keyed),
        texts1_(roles_.size()),
        texts2_(roles_.size()) {}

  void appendHeaderRow(ReportBodies& bodies) override;
  void appendRow(ReportBodies& bodies, long row) override;

 private:
  void readRow(long row);
  bool keyDiffers() const;
  void appendPlainRow(ReportBodies& bodies, long row);
  void appendSameKeyRow(ReportBodies& bodies, long row);
  void appendChangedKeyRow(ReportBodies& bodies, long row);

  ComparisonContext& context_;
  const ChosenSheets& sheets_;
  const Area& area_;
  std::vector<ColumnRole> roles_;
  bool keyed_;
  std::vector<std::string_view> texts1_, texts2_;
  std::string firstLine_, secondLine_;
};

void RowsBuilder::appendHeaderRow(ReportBodies& bodies) {
  appendHeaderCorner(bodies.grid);
  for (std::size_t c = 0; c < roles_.size(); ++c)
    if (roles_[c] != ColumnRole::Ignored)
      appendHeaderCell(bodies.grid, columnLetters(area_.firstColumn + long(c)));
}

void RowsBuilder::appendRow(ReportBodies& bodies, long row) {
  appendRowStart(bodies.grid);
  appendRowStart(bodies.report);
  readRow(row);
  if (!keyed_)
    appendPlainRow(bodies, row);
  else if (!keyDiffers())
    appendSameKeyRow(bodies, row);
  else
    appendChangedKeyRow(bodies, row);
}

void RowsBuilder::readRow(long row) {
  for (std::size_t c = 0; c < roles_.size(); ++c) {
    if (roles_[c] == ColumnRole::Ignored) continue;
    const long column = area_.firstColumn + long(c);
    texts1_[c] = sheets_.first.cellText(row, column);
    texts2_[c] = sheets_.second.cellText(row, column);
  }
}

bool RowsBuilder::keyDiffers() const {
  for (std::size_t c = 0; c < roles_.size(); ++c)
    if (roles_[c] == ColumnRole::Identifying && texts1_[c] != texts2_[c]) return true;
  return false;
}

void RowsBuilder::appendPlainRow(ReportBodies& bodies, long row) {
  appendHeaderCell(bodies.grid, row);
  for (std::size_t c = 0; c < roles_.size(); ++c)
    if (roles_[c] != ColumnRole::Ignored)
      appendCellComparison(bodies, context_.request, sheets_.first.name(), row,
                           area_.firstColumn + long(c), texts1_[c], texts2_[c]);
}

void RowsBuilder::appendSameKeyRow(ReportBodies& bodies, long row) {
  appendHeaderCell(bodies.grid, row);
  for (std::size_t c = 0; c < roles_.size(); ++c)
    if (roles_[c] != ColumnRole::Ignored) appendDataCell(bodies.grid, texts1_[c]);
}

// Only the identifying cells that differ are listed, and their cells on the first line carry
// the anchors the list links to; both lines show every column.
void RowsBuilder::appendChangedKeyRow(ReportBodies& bodies, long row) {
  const std::string& sheet = sheets_.first.name();
  const std::string anchor = cellAnchor(sheet, row, 0);
  const std::string label = std::to_string(row);
  firstLine_.clear();
  secondLine_.clear();
  appendAddedCell(firstLine_, context_.request.path1, anchor, label);
  appendRemovedCell(secondLine_, context_.request.path1, anchor, label);
  for (std::size_t c = 0; c < roles_.size(); ++c) {
    if (roles_[c] == ColumnRole::Ignored) continue;
    if (roles_[c] == ColumnRole::Identifying && texts1_[c] != texts2_[c]) {
      const std::string cell = cellAnchor(sheet, row, area_.firstColumn + long(c));
      appendDifferenceRow(bodies, context_.request, cell, texts1_[c], texts2_[c]);
      appendAnchoredDataCell(firstLine_, cell, texts1_[c]);
    } else {
      appendDataCell(firstLine_, texts1_[c]);
    }
    appendDataCell(secondLine_, texts2_[c]);
  }
  bodies.grid.append(firstLine_);
  appendRowEnd(bodies.grid);
  bodies.grid.append(secondLine_);
}

void appendRowsModeHeading(std::string& grid, const KeyedArea& keyed) {
  appendRowsHeading(grid, std::to_string(keyed.startRow), std::to_string(keyed.endRow),
                    keyed.area.columns());
}

std::unique_ptr<KeyedBodiesBuilder> rowsBuilder(ComparisonContext& context,
                                                const ChosenSheets& sheets, const KeyedArea& keyed,
                                                const KeyLists& lists) {
  return std::make_unique<RowsBuilder>(context, sheets, keyed.area,
                                       columnRoles(keyed.area, lists.identifying, lists.ignored),
                                       !lists.identifying.empty());
}

const KeyedMode kRowsMode{rowsModeArea, keyColumns, appendRowsModeHeading, rowsBuilder, "columns"};

}  // namespace

ComparisonOutcome compareRows(ComparisonContext& context) {
  return compareKeyed(context, kRowsMode);
}

}  // namespace quill
