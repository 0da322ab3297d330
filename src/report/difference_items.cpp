#include "report/difference_items.h"

#include "sheet/address.h"

namespace quill {

std::string itemPlace(long row, long column) {
  if (row > 0 && column > 0) return cellAddress(row, column);
  if (row > 0) return std::to_string(row);
  if (column > 0) return columnLetters(column);
  return {};
}

std::string itemAddress(const ItemSheets& sheets, long row1, long column1, long row2,
                        long column2) {
  std::string first, second;
  if (sheets.inFirst && (row1 > 0 || column1 > 0))
    first = std::string(sheets.sheet1) + "!" + itemPlace(row1, column1);
  if (sheets.inSecond && (row2 > 0 || column2 > 0))
    second = std::string(sheets.sheet2) + "!" + itemPlace(row2, column2);
  if (first.empty() && second.empty())  // an item of a whole sheet: its name
    return std::string(sheets.inFirst ? sheets.sheet1 : sheets.sheet2);
  if (first.empty() || second.empty() || first == second) return first.empty() ? second : first;
  return first + " / " + second;
}

}  // namespace quill
