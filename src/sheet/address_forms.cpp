#include "sheet/address_forms.h"

#include <charconv>
#include <vector>

namespace quill {

namespace {

std::vector<std::string_view> split(std::string_view text, char separator) {
  std::vector<std::string_view> pieces;
  std::size_t start = 0;
  for (;;) {
    const std::size_t at = text.find(separator, start);
    pieces.push_back(text.substr(start, at == std::string_view::npos ? at : at - start));
    if (at == std::string_view::npos) return pieces;
    start = at + 1;
  }
}

std::string withoutLastCharacter(std::string text, std::string_view address) {
  if (text.empty())
    throw AddressError("No columns or rows can be read from the address \"" + std::string(address) +
                       "\"");
  text.pop_back();
  return text;
}

// The text after the first "$" of a corner; throws when the corner has none.
std::string_view afterDollar(std::string_view corner) {
  const std::vector<std::string_view> pieces = split(corner, '$');
  if (pieces.size() < 2)
    throw AddressError("The address part \"" + std::string(corner) +
                       "\" is not an absolute address");
  return pieces[1];
}

long rowOf(std::string_view text) {
  const long row = rowNumberOf(text);
  if (row == 0) throw AddressError("\"" + std::string(text) + "\" is not a row number");
  return row;
}

long columnOf(std::string_view letters) {
  const long column = columnNumber(letters);
  if (column == 0) throw AddressError("\"" + std::string(letters) + "\" is not a column");
  return column;
}

// Appends one listed column or row, refusing lists too long to edit.
void appendItem(std::string& list, long& count, std::string_view item) {
  if (++count > kMaxListedItems)
    throw AddressError("The pick holds more than " + std::to_string(kMaxListedItems) +
                       " columns or rows to list");
  list.append(item);
  list.append(", ");
}

// Each corner of an address reduced to "$" and its column letters, joined by ":".
// These two readers keep the window's own rule on purpose: each corner is split at "$" and
// the piece after the first "$" (columns) or the last piece (rows) is taken, so a corner
// without "$" fails and a whole-column address keeps its letters in the row form ($B:$D).
std::string columnCorners(std::string_view address) {
  std::string result;
  if (!address.empty()) {
    for (std::string_view part : split(address, ':')) {
      result += '$';
      result.append(afterDollar(part));
      result += ':';
    }
  }
  return withoutLastCharacter(std::move(result), address);
}

// Each corner of an address reduced to "$" and its row number, joined by ":".
std::string rowCorners(std::string_view address) {
  std::string result;
  if (!address.empty()) {
    for (std::string_view part : split(address, ':')) {
      const std::vector<std::string_view> pieces = split(part, '$');
      if (pieces.size() != 2 && pieces.size() != 3) continue;
      result += '$';
      result.append(pieces.back());
      result += ':';
    }
  }
  return withoutLastCharacter(std::move(result), address);
}

void appendColumns(std::string& list, long& count, std::string_view area) {
  const std::string corners = columnCorners(area);
  const std::vector<std::string_view> parts = split(corners, ':');
  const long first = columnOf(afterDollar(parts[0]));
  const long last = parts.size() == 2 ? columnOf(afterDollar(parts[1])) : first;
  for (long column = first; column <= last; ++column)
    appendItem(list, count, columnLetters(column));
}

void appendRows(std::string& list, long& count, std::string_view area) {
  const std::string corners = rowCorners(area);
  const std::vector<std::string_view> parts = split(corners, ':');
  const long first = rowOf(afterDollar(parts[0]));
  const long last = parts.size() == 2 ? rowOf(afterDollar(parts[1])) : first;
  for (long row = first; row <= last; ++row) appendItem(list, count, std::to_string(row));
}

// A single corner ($C) is written as a span of one ($C:$C): the single form is no address a
// worksheet takes, so the field it fills could not be used.
std::string asSpan(std::string corners) {
  if (corners.find(':') == std::string::npos) corners += ":" + corners;
  return corners;
}

}  // namespace

std::string columnRangeText(std::string_view address) {
  return asSpan(columnCorners(address));
}

std::string rowRangeText(std::string_view address) {
  return asSpan(rowCorners(address));
}

std::string_view singleAreaOf(std::string_view address) {
  const std::size_t areas = splitSheetAreas(address).size();
  if (areas > 1)
    throw AddressError("A table takes one area, but \"" + std::string(address) + "\" has " +
                       std::to_string(areas) + "; pick one area, or compare several in Range mode");
  return address;
}

StartEndTexts startEndTexts(KeyedBy table, std::string_view address, bool forEnd) {
  const std::string_view area = singleAreaOf(address);
  std::vector<std::string> values;
  // The corners are kept in a named string: the pieces split from it point into it.
  const std::string corners = table == KeyedBy::Rows ? rowCorners(area) : columnCorners(area);
  for (std::string_view part : split(corners, ':')) {
    if (table == KeyedBy::Rows)
      values.push_back(std::to_string(rowOf(afterDollar(part))));
    else
      values.push_back(columnLetters(columnOf(afterDollar(part))));
  }
  if (values.size() == 2) return {values[0], values[1]};
  return forEnd ? StartEndTexts{{}, values[0]} : StartEndTexts{values[0], {}};
}

std::string listText(KeyedBy table, std::string_view address) {
  std::string list;
  long count = 0;
  for (std::string_view area : split(address, ',')) {
    if (table == KeyedBy::Rows)
      appendColumns(list, count, area);
    else
      appendRows(list, count, area);
  }
  list.resize(list.size() - 2);
  return list;
}

}  // namespace quill
