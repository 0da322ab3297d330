#include "sheet/workbook.h"

#include <algorithm>

namespace quill {

Range::Range(std::string worksheetName, std::vector<Area> areas)
    : worksheetName_(std::move(worksheetName)), areas_(std::move(areas)) {
  if (areas_.empty()) throw AddressError("A range needs at least one area");
}

std::string Range::address() const {
  std::string text;
  for (const Area& area : areas_) {
    if (!text.empty()) text += ",";
    text += absoluteAddress(area);
  }
  return text;
}

std::string Range::columnsAddress() const {
  std::string text;
  for (const Area& area : areas_) {
    if (!text.empty()) text += ",";
    text += "$" + columnLetters(area.firstColumn) + ":$" + columnLetters(area.lastColumn);
  }
  return text;
}

std::string Range::rowsAddress() const {
  std::string text;
  for (const Area& area : areas_) {
    if (!text.empty()) text += ",";
    text += "$" + std::to_string(area.firstRow) + ":$" + std::to_string(area.lastRow);
  }
  return text;
}

void Worksheet::rowTexts(long row, long firstColumn, std::span<std::string_view> texts) const {
  for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = cellText(row, firstColumn + long(i));
}

long Worksheet::firstRowInUseFrom(long row) const {
  const Area used = usedArea();
  if (row > used.lastRow) return 0;
  return std::max(row, used.firstRow);
}

Range Worksheet::range(std::string_view address) const {
  return Range(name(), parseRangeAddress(address));
}

}  // namespace quill
