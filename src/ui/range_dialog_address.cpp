#include "ui/range_dialog_address.h"

namespace quill {

namespace {

std::string areaText(const Area& area) {
  const bool allRows = area.firstRow == 1 && area.lastRow == kMaxRows;
  const bool allColumns = area.firstColumn == 1 && area.lastColumn == kMaxColumns;
  if (allColumns) return "$" + std::to_string(area.firstRow) + ":$" + std::to_string(area.lastRow);
  if (allRows) return "$" + columnLetters(area.firstColumn) + ":$" + columnLetters(area.lastColumn);
  return absoluteAddress(area);
}

// A worksheet name as typed before "!": quotes around it removed, doubled quotes undone.
std::string unquotedSheetName(std::string_view name) {
  while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  if (name.size() < 2 || name.front() != '\'' || name.back() != '\'') return std::string(name);
  std::string plain;
  name = name.substr(1, name.size() - 2);
  for (std::size_t i = 0; i < name.size(); ++i) {
    plain += name[i];
    if (name[i] == '\'' && i + 1 < name.size() && name[i + 1] == '\'') ++i;
  }
  return plain;
}

}  // namespace

std::string selectionAddressText(const std::vector<Area>& areas) {
  std::string text;
  for (const Area& area : areas) {
    if (!text.empty()) text += ',';
    text += areaText(area);
  }
  return text;
}

TypedAddress parseTypedAddress(std::string_view text) {
  TypedAddress typed;
  const std::size_t bang = text.rfind('!');
  if (bang != std::string_view::npos) {
    typed.sheetName = unquotedSheetName(text.substr(0, bang));
    if (typed.sheetName.empty()) throw AddressError("No worksheet is named before \"!\"");
    text.remove_prefix(bang + 1);
  }
  typed.areas = parseRangeAddress(text);
  return typed;
}

}  // namespace quill
