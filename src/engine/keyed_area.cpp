#include "engine/keyed_area.h"

#include <algorithm>

#include "engine/cell_comparison.h"
#include "engine/request_error.h"
#include "engine/request_fields.h"
#include "sheet/workbook.h"

namespace quill {

namespace {

// The area between two corners, whichever way round they are given.
Area areaBetween(long row1, long column1, long row2, long column2) {
  return {std::min(row1, row2), std::min(column1, column2), std::max(row1, row2),
          std::max(column1, column2)};
}

// How the items of one kind of list are named in messages.
struct ListUnit {
  std::string_view identifyingField;  // "Identifying columns"
  std::string_view ignoreField;       // "Ignore columns"
  std::string_view plural;            // "columns"
  std::string (*name)(long item);
};

std::string rowName(long row) {
  return std::to_string(row);
}

const ListUnit kColumnLists{"Identifying columns", "Ignore columns", "columns", columnLetters};
const ListUnit kRowLists{"Identifying rows", "Ignore rows", "rows", rowName};

// An item outside first..last would compare nothing, and an item in both lists would be
// both the key and left out: either is refused rather than giving a result that looks sound.
void checkLists(const KeyLists& lists, long first, long last, const ListUnit& unit) {
  auto checkInside = [&](const std::vector<long>& items, std::string_view field) {
    for (long item : items)
      if (item < first || item > last)
        throw RequestError(std::string(field), std::string(field) + ": " + unit.name(item) +
                                                   " lies outside the " + std::string(unit.plural) +
                                                   " compared, " + unit.name(first) + " to " +
                                                   unit.name(last));
  };
  checkInside(lists.identifying, unit.identifyingField);
  checkInside(lists.ignored, unit.ignoreField);
  for (long item : lists.identifying)
    if (std::find(lists.ignored.begin(), lists.ignored.end(), item) != lists.ignored.end())
      throw RequestError(unit.name(item) + " is named in both " +
                         std::string(unit.identifyingField) + " and " +
                         std::string(unit.ignoreField) + "; a key cannot be left out");
}

// The area without a long stretch of rows or columns past every cell either worksheet uses,
// which would only add empty lines to the grid (whole columns, or an end such as row 1048576
// on a short table); the caption and heading still name the typed extent.
Area withoutFarEmptyEnds(Area area, const ChosenSheets& sheets) {
  const Area used = usedAreaOfBoth(sheets.first, sheets.second);
  const long lastRow = std::max(used.lastRow, area.firstRow);
  if (area.lastRow - lastRow > kFoldedRowsAbove) area.lastRow = lastRow;
  const long lastColumn = std::max(used.lastColumn, area.firstColumn);
  if (area.lastColumn - lastColumn > kFoldedColumnsAbove) area.lastColumn = lastColumn;
  return area;
}

}  // namespace

KeyLists keyColumns(const ComparisonRequest& request, const KeyedArea& keyed) {
  KeyLists lists{columnListField(kColumnLists.identifyingField, request.identifying),
                 columnListField(kColumnLists.ignoreField, request.ignored)};
  checkLists(lists, keyed.area.firstColumn, keyed.area.lastColumn, kColumnLists);
  return lists;
}

KeyLists keyRows(const ComparisonRequest& request, const KeyedArea& keyed) {
  KeyLists lists{rowListField(kRowLists.identifyingField, request.identifying),
                 rowListField(kRowLists.ignoreField, request.ignored)};
  checkLists(lists, keyed.area.firstRow, keyed.area.lastRow, kRowLists);
  return lists;
}

KeyedArea rowsModeArea(const ComparisonRequest& request, const ChosenSheets& sheets) {
  constexpr std::string_view kField = "Columns to include";
  const Span columns =
      columnSpanField(kField, withoutSheetName(kField, request.range1, sheets.first.name()));
  KeyedArea keyed;
  keyed.startLetters = columnLetters(columns.first);
  keyed.endLetters = columnLetters(columns.last);
  keyed.startRow = rowNumberField("Start row", request.startRow);
  keyed.endRow = request.endRow.empty() ? usedAreaOfBoth(sheets.first, sheets.second).lastRow
                                        : rowNumberField("End row", request.endRow);
  // An end taken from the used areas can lie before a typed start, as a typed end can.
  if (keyed.startRow > keyed.endRow)
    throw RequestError("Start row must not be greater than end row.");
  keyed.area = withoutFarEmptyEnds(
      areaBetween(keyed.startRow, columns.first, keyed.endRow, columns.last), sheets);
  return keyed;
}

KeyedArea columnsModeArea(const ComparisonRequest& request, const ChosenSheets& sheets) {
  constexpr std::string_view kField = "Rows to include";
  const Span rows =
      rowSpanField(kField, withoutSheetName(kField, request.range1, sheets.first.name()));
  const long startColumn = columnField("Start column", request.startColumn);
  const long endColumn = request.endColumn.empty()
                             ? usedAreaOfBoth(sheets.first, sheets.second).lastColumn
                             : columnField("End column", request.endColumn);
  if (startColumn > endColumn)
    throw RequestError("Start column must not be greater than end column.");
  KeyedArea keyed;
  keyed.startRow = rows.first;
  keyed.endRow = rows.last;
  keyed.startLetters = columnLetters(startColumn);
  keyed.endLetters = columnLetters(endColumn);
  keyed.area =
      withoutFarEmptyEnds(areaBetween(rows.first, startColumn, rows.last, endColumn), sheets);
  return keyed;
}

std::string keyedCaption(const ChosenSheets& sheets, const KeyedArea& keyed,
                         const ComparisonRequest& request, std::string_view unit) {
  std::string caption = "Compared areas: " + sheets.first.name() + " and " + sheets.second.name() +
                        "\nStart column: " + keyed.startLetters +
                        "; end column: " + keyed.endLetters +
                        "\nStart row: " + std::to_string(keyed.startRow) +
                        "; end row: " + std::to_string(keyed.endRow) + "\n";
  if (!request.identifying.empty()) {
    caption += "Identifying ";
    caption += unit;
    caption += ": " + request.identifying + "\n";
  }
  if (!request.ignored.empty()) {
    caption += "Ignore ";
    caption += unit;
    caption += ": " + request.ignored;
  }
  return caption;
}

}  // namespace quill
