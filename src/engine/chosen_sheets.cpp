#include "engine/chosen_sheets.h"

#include <algorithm>
#include <string>

#include "engine/request_error.h"
#include "formats/session.h"
#include "sheet/workbook.h"

namespace quill {

namespace {

const Worksheet& sheetAt(const Workbook& book, std::optional<int> chosen, std::string_view field) {
  if (!chosen || *chosen < 1)
    throw RequestError(std::string(field),
                       std::string(field) + ": no worksheet is chosen in either file");
  const int position = *chosen;
  if (std::size_t(position) > book.sheetCount())
    throw RequestError(std::string(field), std::string(field) + ": the workbook has no worksheet " +
                                               std::to_string(position) + "; it has " +
                                               std::to_string(book.sheetCount()));
  return book.sheet(std::size_t(position));
}

// The worksheet at a position of a workbook; none when there is no workbook or no such sheet.
const Worksheet* sheetIfPresent(const Workbook* book, std::optional<int> position) {
  if (book == nullptr || !position || *position < 1 || std::size_t(*position) > book->sheetCount())
    return nullptr;
  return &book->sheet(std::size_t(*position));
}

}  // namespace

std::pair<std::optional<int>, std::optional<int>> settledSheetPositions(
    const ComparisonRequest& request) {
  return {request.sheet1 ? request.sheet1 : request.sheet2,
          request.sheet2 ? request.sheet2 : request.sheet1};
}

ChosenSheets chosenSheets(const ComparisonRequest& request, const SpreadsheetSession& session) {
  if (!session.isOpen())
    throw Failure(FailureKind::NotOpen, {},
                  "The workbooks could not both be opened, so nothing was compared");
  const auto [first, second] = settledSheetPositions(request);
  return {sheetAt(*session.firstBook(), first, "Worksheet of Excel File #1"),
          sheetAt(*session.secondBook(), second, "Worksheet of Excel File #2")};
}

std::optional<ChosenSheets> chosenSheetsIfPresent(const ComparisonRequest& request,
                                                  const SpreadsheetSession& session) {
  const auto [first, second] = settledSheetPositions(request);
  const Worksheet* sheet1 = sheetIfPresent(session.firstBook(), first);
  const Worksheet* sheet2 = sheetIfPresent(session.secondBook(), second);
  if (sheet1 == nullptr || sheet2 == nullptr) return std::nullopt;
  return ChosenSheets{*sheet1, *sheet2};
}

TableStart chosenTable(const ChosenSheets& sheets, const ComparisonRequest& request) {
  const auto [first, second] = settledSheetPositions(request);
  TableStart table;
  table.sheet1 = sheets.first.name();
  table.sheet2 = sheets.second.name();
  table.position1 = first.value_or(0);
  table.position2 = second.value_or(0);
  table.anchorSheet = sheets.first.name();
  return table;
}

Area usedAreaOfBoth(const Worksheet& first, const Worksheet& second) {
  const Area a = first.usedArea(), b = second.usedArea();
  return {std::min(a.firstRow, b.firstRow), std::min(a.firstColumn, b.firstColumn),
          std::max(a.lastRow, b.lastRow), std::max(a.lastColumn, b.lastColumn)};
}

}  // namespace quill
