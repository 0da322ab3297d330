#include "engine/request_fields.h"

#include <charconv>
#include <string>

#include "engine/request_error.h"

namespace quill {

namespace {

bool isDigit(char ch) {
  return ch >= '0' && ch <= '9';
}
bool isLetter(char ch) {
  return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
}

[[noreturn]] void fail(std::string_view field, std::string_view text, std::string_view expected) {
  std::string message(field);
  if (text.empty()) {
    message += " is empty; expected ";
  } else {
    message += ": \"";
    message += text;
    message += "\" is not valid; expected ";
  }
  message += expected;
  throw RequestError(std::string(field), message);
}

// The one area of an address; several areas or a text the worksheet cannot take fail.
Area singleArea(std::string_view field, std::string_view text, std::string_view expected) {
  if (text.find(',') != std::string_view::npos) fail(field, text, expected);
  try {
    return parseRangeAddress(text).front();
  } catch (const AddressError&) {
    fail(field, text, expected);
  }
}

// Whether each corner of the first area names both a column and a row, as in $B$1:$F$30.
bool hasCellCorners(std::string_view text) {
  text = text.substr(0, text.find(','));
  for (std::size_t start = 0; start <= text.size();) {
    std::size_t end = text.find(':', start);
    if (end == std::string_view::npos) end = text.size();
    bool letter = false, digit = false;
    for (char ch : text.substr(start, end - start)) {
      letter = letter || isLetter(ch);
      digit = digit || isDigit(ch);
    }
    if (!letter || !digit) return false;
    start = end + 1;
  }
  return true;
}

template <class ReadItem>
std::vector<long> listField(std::string_view field, std::string_view text,
                            std::string_view expected, ReadItem readItem) {
  std::vector<long> items;
  for (std::string_view item : listItems(text)) {
    const long number = readItem(item);
    if (number == 0) fail(field, item, expected);
    items.push_back(number);
  }
  return items;
}

bool sameSheetName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char ch) { return ch >= 'A' && ch <= 'Z' ? char(ch - 'A' + 'a') : ch; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::vector<SheetArea> sheetAreas(std::string_view field, std::string_view text,
                                  std::string_view sheetName) {
  std::vector<SheetArea> areas;
  try {
    areas = splitSheetAreas(text);
  } catch (const AddressError& e) {
    throw RequestError(std::string(field), std::string(field) + ": " + e.what());
  }
  for (const SheetArea& area : areas)
    if (area.sheet && !sameSheetName(*area.sheet, sheetName))
      throw RequestError(std::string(field), std::string(field) + ": \"" + std::string(text) +
                                                 "\" names the worksheet " + *area.sheet +
                                                 ", not the chosen worksheet " +
                                                 std::string(sheetName));
  return areas;
}

}  // namespace

std::vector<Area> rangeField(std::string_view field, std::string_view text,
                             std::string_view sheetName) {
  constexpr std::string_view kExpected = "an address such as $B$1:$F$30, $B:$F or $1:$20";
  if (trimBlanks(text).empty()) fail(field, text, kExpected);
  std::vector<Area> areas;
  for (const SheetArea& part : sheetAreas(field, text, sheetName)) {
    try {
      areas.push_back(parseRangeAddress(part.area).front());
    } catch (const AddressError&) {
      fail(field, text, kExpected);
    }
  }
  return areas;
}

std::string withoutSheetName(std::string_view field, std::string_view text,
                             std::string_view sheetName) {
  std::string plain;
  for (const SheetArea& part : sheetAreas(field, text, sheetName)) {
    if (!plain.empty()) plain.push_back(',');
    plain += part.area;
  }
  return plain;
}

Area areaField(std::string_view field, std::string_view text) {
  constexpr std::string_view kExpected = "an address such as $B$1:$F$30";
  if (!hasCellCorners(text)) fail(field, text, kExpected);
  try {
    return parseRangeAddress(text).front();
  } catch (const AddressError&) {
    fail(field, text, kExpected);
  }
}

Span columnSpanField(std::string_view field, std::string_view text) {
  constexpr std::string_view kExpected = "the columns of one area, such as $B:$F or $B$1:$F$30";
  bool hasLetter = false;
  for (char ch : text) hasLetter = hasLetter || isLetter(ch);
  if (!hasLetter) fail(field, text, kExpected);
  const Area area = singleArea(field, text, kExpected);
  return {area.firstColumn, area.lastColumn};
}

Span rowSpanField(std::string_view field, std::string_view text) {
  constexpr std::string_view kExpected = "whole rows, such as $1:$20";
  for (char ch : text)
    if (isLetter(ch)) fail(field, text, kExpected);
  if (text.empty()) fail(field, text, kExpected);
  const Area area = singleArea(field, text, kExpected);
  return {area.firstRow, area.lastRow};
}

long rowNumberField(std::string_view field, std::string_view text) {
  const long row = rowNumberOf(trimBlanks(text));
  if (row == 0) fail(field, text, "a whole number from 1 to 1048576");
  return row;
}

long columnField(std::string_view field, std::string_view text) {
  const long column = columnNumber(trimBlanks(text));
  if (column == 0) fail(field, text, "column letters from A to XFD");
  return column;
}

std::vector<long> columnListField(std::string_view field, std::string_view text) {
  return listField(field, text, "column letters separated by commas, such as A, C, D",
                   columnNumber);
}

std::vector<long> rowListField(std::string_view field, std::string_view text) {
  return listField(field, text, "row numbers separated by commas, such as 1, 4, 12", rowNumberOf);
}

double leadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  std::size_t end = i;
  if (end < text.size() && (text[end] == '+' || text[end] == '-')) ++end;
  while (end < text.size() && isDigit(text[end])) ++end;
  if (end < text.size() && text[end] == '.') {
    ++end;
    while (end < text.size() && isDigit(text[end])) ++end;
  }
  std::string number(text.substr(i, end - i));
  if (!number.empty() && number.front() == '+') number.erase(0, 1);
  double value = 0;
  std::from_chars(number.data(), number.data() + number.size(), value);
  return value;
}

}  // namespace quill
