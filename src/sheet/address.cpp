#include "sheet/address.h"

#include <algorithm>
#include <charconv>

namespace quill {

std::string columnLetters(long column) {
  if (column < 0 || column > kMaxColumns)
    throw std::out_of_range("Column number out of range: " + std::to_string(column));
  if (column == 0) return "@";
  std::string letters;
  for (long n = column; n > 0; n = (n - 1) / 26)
    letters.insert(letters.begin(), char('A' + (n - 1) % 26));
  return letters;
}

LeadingColumn leadingColumn(std::string_view text, std::size_t maxLetters) {
  LeadingColumn lead;
  for (; lead.letters < text.size() && lead.letters < maxLetters; ++lead.letters) {
    const char ch = text[lead.letters];
    const bool upper = ch >= 'A' && ch <= 'Z';
    if (!upper && !(ch >= 'a' && ch <= 'z')) break;
    lead.column = std::min(kMaxColumns + 1, lead.column * 26 + (upper ? ch - 'A' : ch - 'a') + 1);
  }
  return lead;
}

long columnNumber(std::string_view letters) {
  const LeadingColumn lead = leadingColumn(letters);
  const bool named = lead.letters > 0 && lead.letters == letters.size();
  return named && lead.column <= kMaxColumns ? lead.column : 0;
}

void appendCellAddress(std::string& out, long row, long column) {
  out.append(columnLetters(column));
  char digits[16];
  auto end = std::to_chars(digits, digits + sizeof digits, row).ptr;
  out.append(digits, end);
}

std::string cellAddress(long row, long column) {
  std::string out;
  appendCellAddress(out, row, column);
  return out;
}

std::string cellNameForMessage(long row, long column) {
  if (row >= 1 && row <= kMaxRows && column >= 1 && column <= kMaxColumns)
    return cellAddress(row, column);
  return "row " + std::to_string(row) + ", column " + std::to_string(column);
}

std::string absoluteAddress(const Area& area) {
  auto corner = [](long row, long column) {
    return "$" + columnLetters(column) + "$" + std::to_string(row);
  };
  std::string text = corner(area.firstRow, area.firstColumn);
  if (area.rows() != 1 || area.columns() != 1) text += ":" + corner(area.lastRow, area.lastColumn);
  return text;
}

std::string columnsAddress(const Area& area) {
  return "$" + columnLetters(area.firstColumn) + ":$" + columnLetters(area.lastColumn);
}

std::string rowsAddress(const Area& area) {
  return "$" + std::to_string(area.firstRow) + ":$" + std::to_string(area.lastRow);
}

std::string joinedAddress(const std::vector<Area>& areas, std::string (*format)(const Area&)) {
  std::string text;
  for (const Area& area : areas) {
    if (!text.empty()) text += ',';
    text += format(area);
  }
  return text;
}

namespace {

// One corner of an address: column letters, row number, or both; "$" optional.
struct Corner {
  long row = 0;     // 0: no row given
  long column = 0;  // 0: no column given
};

Corner parseCorner(std::string_view text, std::string_view whole) {
  auto fail = [&] {
    return AddressError("\"" + std::string(whole) +
                        "\" is not a cell address such as $B$1:$F$30, $B:$F or $1:$20");
  };
  size_t i = 0;
  if (i < text.size() && text[i] == '$') ++i;
  size_t lettersStart = i;
  while (i < text.size() &&
         ((text[i] >= 'A' && text[i] <= 'Z') || (text[i] >= 'a' && text[i] <= 'z')))
    ++i;
  Corner corner;
  std::string_view letters = text.substr(lettersStart, i - lettersStart);
  if (!letters.empty()) {
    corner.column = columnNumber(letters);
    if (corner.column == 0) throw fail();
    if (i < text.size() && text[i] == '$') ++i;
  }
  std::string_view digits = text.substr(i);
  if (!digits.empty()) {
    if (digits.size() > 7) throw fail();
    long row = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), row);
    if (ec != std::errc() || end != digits.data() + digits.size() || row < 1 || row > kMaxRows)
      throw fail();
    corner.row = row;
  }
  if (corner.row == 0 && corner.column == 0) throw fail();
  return corner;
}

Area parseArea(std::string_view text, std::string_view whole) {
  size_t colon = text.find(':');
  Corner first = parseCorner(text.substr(0, colon), whole);
  Corner last =
      colon == std::string_view::npos ? first : parseCorner(text.substr(colon + 1), whole);
  bool firstIsCell = first.row && first.column, lastIsCell = last.row && last.column;
  Area area;
  if (firstIsCell && lastIsCell) {
    area = {first.row, first.column, last.row, last.column};
  } else if (!first.row && !last.row && colon != std::string_view::npos) {
    area = {1, first.column, kMaxRows, last.column};  // whole columns
  } else if (!first.column && !last.column && colon != std::string_view::npos) {
    area = {first.row, 1, last.row, kMaxColumns};  // whole rows
  } else {
    throw AddressError("\"" + std::string(whole) +
                       "\" is not a cell address such as $B$1:$F$30, $B:$F or $1:$20");
  }
  if (area.firstRow > area.lastRow) std::swap(area.firstRow, area.lastRow);
  if (area.firstColumn > area.lastColumn) std::swap(area.firstColumn, area.lastColumn);
  return area;
}

}  // namespace

std::vector<Area> parseRangeAddress(std::string_view address) {
  if (address.empty())
    throw AddressError("The address is empty; expected a form such as $B$1:$F$30");
  std::vector<Area> areas;
  size_t start = 0;
  while (true) {
    size_t comma = address.find(',', start);
    std::string_view part =
        address.substr(start, comma == std::string_view::npos ? comma : comma - start);
    while (!part.empty() && part.front() == ' ') part.remove_prefix(1);
    while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
    areas.push_back(parseArea(part, address));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return areas;
}

namespace {

// The worksheet named at the start of one area's text, and the rest after its "!".
SheetArea splitSheetArea(std::string_view text, std::string_view whole) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  SheetArea part;
  if (!text.empty() && text.front() == '\'') {
    std::string name;
    std::size_t i = 1;
    for (;; ++i) {
      if (i >= text.size())
        throw AddressError("\"" + std::string(whole) +
                           "\" has a worksheet name without its closing '");
      if (text[i] != '\'') {
        name.push_back(text[i]);
      } else if (i + 1 < text.size() && text[i + 1] == '\'') {
        name.push_back('\'');
        ++i;
      } else {
        break;
      }
    }
    if (i + 1 >= text.size() || text[i + 1] != '!')
      throw AddressError("\"" + std::string(whole) + "\" needs a \"!\" after the worksheet name");
    part.sheet = name;
    part.area = text.substr(i + 2);
    return part;
  }
  const std::size_t mark = text.find('!');
  if (mark == std::string_view::npos) {
    part.area = text;
  } else {
    part.sheet = std::string(text.substr(0, mark));
    part.area = text.substr(mark + 1);
  }
  return part;
}

}  // namespace

std::vector<SheetArea> splitSheetAreas(std::string_view address) {
  std::vector<SheetArea> areas;
  std::size_t start = 0;
  bool quoted = false;
  for (std::size_t i = 0; i <= address.size(); ++i) {
    if (i < address.size() && address[i] == '\'') quoted = !quoted;  // '' toggles twice
    if (i < address.size() && (quoted || address[i] != ',')) continue;
    areas.push_back(splitSheetArea(address.substr(start, i - start), address));
    start = i + 1;
  }
  return areas;
}

namespace {

std::string selectedAreaText(const Area& area) {
  const bool allRows = area.firstRow == 1 && area.lastRow == kMaxRows;
  const bool allColumns = area.firstColumn == 1 && area.lastColumn == kMaxColumns;
  if (allColumns) return rowsAddress(area);
  if (allRows) return columnsAddress(area);
  return absoluteAddress(area);
}

}  // namespace

std::string selectionAddressText(const std::vector<Area>& areas) {
  return joinedAddress(areas, selectedAreaText);
}

TypedAddress parseTypedAddress(std::string_view text) {
  TypedAddress typed;
  std::string areas;
  for (const SheetArea& part : splitSheetAreas(text)) {
    if (part.sheet) {
      std::string_view name = *part.sheet;
      while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
      if (name.empty()) throw AddressError("No worksheet is named before \"!\"");
      if (!typed.sheetName.empty() && typed.sheetName != name)
        throw AddressError("\"" + std::string(text) + "\" names two worksheets");
      typed.sheetName = name;
    }
    if (!areas.empty()) areas += ',';
    areas += part.area;
  }
  typed.areas = parseRangeAddress(areas);
  return typed;
}

namespace {

bool isBlank(char ch) {
  return ch == ' ' || ch == '\t';
}

}  // namespace

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

long rowNumberOf(std::string_view digits) {
  if (digits.empty() || digits.size() > 7) return 0;
  long row = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), row);
  if (error != std::errc() || end != digits.data() + digits.size()) return 0;
  return row >= 1 && row <= kMaxRows ? row : 0;
}

std::vector<std::string_view> listItems(std::string_view text) {
  std::vector<std::string_view> items;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == ',' || isBlank(text[i])) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && text[end] != ',' && !isBlank(text[end])) ++end;
    items.push_back(text.substr(i, end - i));
    i = end;
  }
  return items;
}

}  // namespace quill
