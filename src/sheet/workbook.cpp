#include "sheet/workbook.h"

#include <algorithm>

namespace quill {

Range::Range(std::string worksheetName, std::vector<Area> areas)
    : worksheetName_(std::move(worksheetName)), areas_(std::move(areas)) {
  if (areas_.empty()) throw AddressError("A range needs at least one area");
}

std::string Range::address() const {
  return joinedAddress(areas_, absoluteAddress);
}

std::string Range::columnsAddress() const {
  return joinedAddress(areas_, quill::columnsAddress);
}

std::string Range::rowsAddress() const {
  return joinedAddress(areas_, quill::rowsAddress);
}

void Worksheet::rowTexts(long row, long firstColumn, std::span<std::string_view> texts) const {
  for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = cellText(row, firstColumn + long(i));
}

long Worksheet::firstRowInUseFrom(long row) const {
  const Area used = usedArea();
  if (row > used.lastRow) return 0;
  return std::max(row, used.firstRow);
}

const SheetContents& Worksheet::contents() const {
  static const SheetContents none;
  return none;
}

const WorkbookContents& Workbook::contents() const {
  static const WorkbookContents none;
  return none;
}

Range Worksheet::range(std::string_view address) const {
  return Range(name(), parseRangeAddress(address));
}

}  // namespace quill
