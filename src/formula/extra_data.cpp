#include "formula/extra_data.h"

#include <algorithm>

namespace quill {

TokenCursor ExtraData::rest() const {
  return TokenCursor(extra_.subspan(std::min(used_, extra_.size())));
}

std::string ExtraData::arrayConstant() {
  TokenCursor in = rest();
  std::size_t rows, columns;
  if (isXlsb(dialect_)) {
    rows = in.u32();
    columns = in.u32();
  } else {
    columns = std::size_t(in.u8()) + 1;
    rows = std::size_t(in.u16()) + 1;
  }
  // Every value takes at least two bytes, so sizes beyond what is left are damaged.
  if (rows == 0 || columns == 0 || rows > in.remaining() || columns > in.remaining() ||
      rows * columns > in.remaining() / 2)
    unreadable("its array constant does not fit its extra data");
  std::string text = "{";
  for (std::size_t r = 0; r < rows; ++r) {
    for (std::size_t c = 0; c < columns; ++c) {
      if (c > 0) text += ',';
      text += arrayValue(in);
    }
    if (r + 1 < rows) text += ';';
  }
  used_ += in.position();
  return text + "}";
}

// A value of a binary workbook's array constant: number, string, logical or error.
std::string ExtraData::xlsbArrayValue(TokenCursor& in) const {
  const std::uint8_t type = in.u8();
  switch (type) {
    case 0x00:
      return numberConstant(in.f64());
    case 0x01:
      return stringConstant(utf16Chars(in, in.u16()));
    case 0x02:
      return in.u8() != 0 ? "TRUE" : "FALSE";
    case 0x04: {
      const std::uint8_t code = in.u8();
      in.skip(3);
      return errorConstant(code);
    }
    default:
      unreadable("array value " + hexByte(type));
  }
}

std::string ExtraData::arrayValue(TokenCursor& in) const {
  if (isXlsb(dialect_)) return xlsbArrayValue(in);
  const std::uint8_t type = in.u8();
  switch (type) {
    case 0x00:
      in.skip(8);
      return "";
    case 0x01:
      return numberConstant(in.f64());
    case 0x02:
      return stringConstant(biffString(in, true));
    case 0x04: {
      const std::uint8_t value = in.u8();
      in.skip(7);
      return value != 0 ? "TRUE" : "FALSE";
    }
    case 0x10: {
      const std::uint8_t code = in.u8();
      in.skip(7);
      return errorConstant(code);
    }
    default:
      unreadable("array value " + hexByte(type));
  }
}

void ExtraData::skipMemoryAreas() {
  TokenCursor in = rest();
  const bool xlsb = isXlsb(dialect_);
  const std::size_t count = xlsb ? in.u32() : in.u16();
  const std::size_t areaSize = xlsb ? 16 : isBeforeBiff8(dialect_) ? 6 : 8;
  const std::size_t size = (xlsb ? 4 : 2) + count * areaSize;
  if (extra_.size() - used_ < size) unreadable("its extra data ends early");
  used_ += size;
}

}  // namespace quill
