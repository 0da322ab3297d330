#include "formats/xls/record_cursor.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "base/utf8.h"
#include "sheet/workbook.h"
#include "formats/xls/codepage.h"

namespace quill::xls {

void RecordCursor::need(std::size_t count) const {
  if (count > remaining()) fail();
}

void RecordCursor::fail() const {
  throw WorkbookError("record " + recordTypeText(record_.type) + " at offset " +
                      std::to_string(record_.offset) + " is shorter than its contents say");
}

std::uint8_t RecordCursor::u8() {
  need(1);
  return record_.data[position_++];
}

std::uint16_t RecordCursor::u16() {
  need(2);
  const std::uint8_t* p = record_.data.data() + position_;
  position_ += 2;
  return std::uint16_t(p[0] | p[1] << 8);
}

std::uint32_t RecordCursor::u32() {
  need(4);
  const std::uint8_t* p = record_.data.data() + position_;
  position_ += 4;
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
         std::uint32_t(p[3]) << 24;
}

double RecordCursor::f64() {
  const std::uint64_t low = u32();
  const std::uint64_t high = u32();
  return std::bit_cast<double>(low | high << 32);
}

void RecordCursor::skip(std::size_t count) {
  need(count);
  position_ += count;
}

std::size_t RecordCursor::pieceEnd() const {
  auto ends = record_.segmentEnds;
  auto it = std::upper_bound(ends.begin(), ends.end(), std::uint32_t(position_));
  return it == ends.end() ? record_.data.size() : *it;
}

void RecordCursor::appendUnicodeChars(std::string& out, std::size_t count, bool highByte) {
  std::uint32_t pendingHigh = 0;  // a high surrogate waiting for its low half
  while (count > 0) {
    const std::size_t end = pieceEnd();
    const std::size_t width = highByte ? 2 : 1;
    const std::size_t here = std::min(count, (end - position_) / width);
    const std::uint8_t* p = record_.data.data() + position_;
    for (std::size_t i = 0; i < here; ++i) {
      std::uint32_t unit = highByte ? std::uint32_t(p[2 * i] | p[2 * i + 1] << 8) : p[i];
      if (pendingHigh != 0) {
        if (unit >= 0xDC00 && unit <= 0xDFFF) {
          appendUtf8(out, 0x10000 + ((pendingHigh - 0xD800) << 10) + (unit - 0xDC00));
          pendingHigh = 0;
          continue;
        }
        appendUtf8(out, 0xFFFD);
        pendingHigh = 0;
      }
      if (unit >= 0xD800 && unit <= 0xDBFF)
        pendingHigh = unit;
      else
        appendUtf8(out, unit);
    }
    position_ += here * width;
    count -= here;
    if (count == 0) break;
    if (position_ != end || end == record_.data.size()) fail();  // cut short or misaligned
    highByte = (u8() & 0x01) != 0;  // the option byte that opens the next piece
  }
  if (pendingHigh != 0) appendUtf8(out, 0xFFFD);
}

void RecordCursor::appendByteChars(std::string& out, std::size_t count, const Codepage& codepage) {
  need(count);
  codepage.append(out, record_.data.data() + position_, count);
  position_ += count;
}

void readUnicodeString(RecordCursor& cursor, std::string& out, int lengthBytes) {
  const std::size_t count = lengthBytes == 1 ? cursor.u8() : cursor.u16();
  if (count == 0 && cursor.remaining() == 0) return;  // some writers leave out the option byte
  const std::uint8_t options = cursor.u8();
  const std::size_t runs = (options & 0x08) != 0 ? cursor.u16() : 0;
  const std::size_t phonetic = (options & 0x04) != 0 ? cursor.u32() : 0;
  cursor.appendUnicodeChars(out, count, (options & 0x01) != 0);
  cursor.skip(runs * 4);
  cursor.skip(phonetic);
}

void readByteString(RecordCursor& cursor, std::string& out, int lengthBytes,
                    const Codepage& codepage) {
  const std::size_t count = lengthBytes == 1 ? cursor.u8() : cursor.u16();
  cursor.appendByteChars(out, count, codepage);
}

}  // namespace quill::xls
