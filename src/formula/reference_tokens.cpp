#include "formula/reference_tokens.h"

#include "sheet/address.h"

namespace quill {

namespace {

long wrap(long value, long size) {
  return ((value % size) + size) % size;
}

}  // namespace

long ReferenceTokens::maxRow() const {
  return isXlsb(dialect_) ? kMaxRows - 1 : isBeforeBiff8(dialect_) ? 16383 : 65535;
}

long ReferenceTokens::maxColumn() const {
  return isXlsb(dialect_) ? kMaxColumns - 1 : 255;
}

std::string ReferenceTokens::cell(TokenCursor& in, bool offsetsAllowed) const {
  return cellText(corner(in, offsetsAllowed));
}

// A row and column of a reference, resolved against the formula's cell when relative
// and the token is of the kind shared formulas use (offsets instead of positions).
ReferenceTokens::Corner ReferenceTokens::corner(TokenCursor& in, bool offsetsAllowed) const {
  if (isBeforeBiff8(dialect_)) {
    const std::uint16_t rowField = in.u16();
    return resolveOlder(rowField, in.u8(), offsetsAllowed);
  }
  const long rawRow = isXlsb(dialect_) ? long(in.u32()) : long(in.u16());
  const std::uint16_t field = in.u16();
  return resolve(rawRow, field, offsetsAllowed);
}

ReferenceTokens::Corner ReferenceTokens::resolve(long rawRow, std::uint16_t field,
                                                 bool offsetsAllowed) const {
  const bool xlsb = isXlsb(dialect_);
  Corner corner{rawRow, field & 0x3FFF, (field & 0x8000) != 0, (field & 0x4000) != 0};
  if (!offsetsAllowed) return corner;
  if (corner.rowRelative) {
    const long offset = xlsb ? long(std::int32_t(std::uint32_t(rawRow)))
                             : long(std::int16_t(std::uint16_t(rawRow)));
    corner.row = wrap(cell_.row - 1 + offset, maxRow() + 1);
  }
  if (corner.columnRelative) {
    const long offset = xlsb ? (corner.column & 0x2000 ? corner.column - 0x4000 : corner.column)
                             : long(std::int8_t(std::uint8_t(field & 0xFF)));
    corner.column = wrap(cell_.column - 1 + offset, maxColumn() + 1);
  }
  return corner;
}

// A row field of BIFF2 to BIFF5, its relative marks in the two high bits, and a column
// byte; offsets from the formula's cell are 14-bit and 8-bit signed numbers.
ReferenceTokens::Corner ReferenceTokens::resolveOlder(std::uint16_t rowField, std::uint8_t column,
                                                      bool offsetsAllowed) const {
  Corner corner{rowField & 0x3FFF, column, (rowField & 0x8000) != 0, (rowField & 0x4000) != 0};
  if (!offsetsAllowed) return corner;
  if (corner.rowRelative) {
    const long offset = corner.row >= 0x2000 ? corner.row - 0x4000 : corner.row;
    corner.row = wrap(cell_.row - 1 + offset, maxRow() + 1);
  }
  if (corner.columnRelative)
    corner.column = wrap(cell_.column - 1 + long(std::int8_t(column)), maxColumn() + 1);
  return corner;
}

std::string ReferenceTokens::rowText(const Corner& c) {
  return (c.rowRelative ? "" : "$") + std::to_string(c.row + 1);
}

std::string ReferenceTokens::columnText(const Corner& c) {
  return (c.columnRelative ? "" : "$") + columnLetters(c.column + 1);
}

std::string ReferenceTokens::cellText(const Corner& c) {
  return columnText(c) + rowText(c);
}

std::string ReferenceTokens::area(TokenCursor& in, bool offsetsAllowed) const {
  if (isBeforeBiff8(dialect_)) {
    const std::uint16_t firstRow = in.u16();
    const std::uint16_t lastRow = in.u16();
    const std::uint8_t firstColumn = in.u8();
    const std::uint8_t lastColumn = in.u8();
    return areaText(resolveOlder(firstRow, firstColumn, offsetsAllowed),
                    resolveOlder(lastRow, lastColumn, offsetsAllowed));
  }
  const bool xlsb = isXlsb(dialect_);
  const long firstRow = xlsb ? long(in.u32()) : long(in.u16());
  const long lastRow = xlsb ? long(in.u32()) : long(in.u16());
  const std::uint16_t firstField = in.u16();
  const std::uint16_t lastField = in.u16();
  return areaText(resolve(firstRow, firstField, offsetsAllowed),
                  resolve(lastRow, lastField, offsetsAllowed));
}

std::string ReferenceTokens::areaText(const Corner& first, const Corner& last) const {
  if (first.row == 0 && last.row == maxRow()) return columnText(first) + ":" + columnText(last);
  // Some writers give the last column of the larger grid even in the smaller one.
  if (first.column == 0 && (last.column == maxColumn() || last.column == kMaxColumns - 1))
    return rowText(first) + ":" + rowText(last);
  return cellText(first) + ":" + cellText(last);
}

std::string ReferenceTokens::sheetPrefix(std::uint16_t index) const {
  const auto sheets = names_.sheets(index);
  if (!sheets) unreadable("sheet reference " + std::to_string(index));
  return quotedSheetName(*sheets) + "!";
}

std::string ReferenceTokens::olderSheetPrefix(TokenCursor& in) const {
  const auto book = std::int16_t(in.u16());
  in.skip(8);
  const std::uint16_t first = in.u16();
  const std::uint16_t last = in.u16();
  if (book >= 0) unreadable("a reference to another workbook of a version before BIFF8");
  const auto sheets = names_.sheetsByPosition(first, last);
  if (!sheets) unreadable("sheet position " + std::to_string(first));
  return quotedSheetName(*sheets) + "!";
}

}  // namespace quill
