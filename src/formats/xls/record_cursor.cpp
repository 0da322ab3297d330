#include "formats/xls/record_cursor.h"

#include <algorithm>

#include "base/utf16.h"
#include "formats/xls/codepage.h"
#include "sheet/workbook.h"

namespace quill::xls {

void RecordCursor::ranShort() const {
  throw WorkbookError("record " + recordTypeText(record_.type) + " at offset " +
                      std::to_string(record_.offset) + " is shorter than its contents say");
}

std::size_t RecordCursor::pieceEnd() const {
  auto ends = record_.segmentEnds;
  auto it = std::upper_bound(ends.begin(), ends.end(), std::uint32_t(position_));
  return it == ends.end() ? record_.data.size() : *it;
}

void RecordCursor::appendUnicodeChars(std::string& out, std::size_t count, bool highByte) {
  Utf16Joiner joiner;  // a pair may be split between two pieces
  while (count > 0) {
    const std::size_t end = pieceEnd();
    const std::size_t width = highByte ? 2 : 1;
    const std::size_t here = std::min(count, (end - position_) / width);
    const std::uint8_t* p = record_.data.data() + position_;
    for (std::size_t i = 0; i < here; ++i)
      joiner.append(out, highByte ? littleEndian16(p + 2 * i) : p[i]);
    position_ += here * width;
    count -= here;
    if (count == 0) break;
    if (position_ != end || end == record_.data.size()) ranShort();  // cut short or misaligned
    highByte = (u8() & 0x01) != 0;  // the option byte that opens the next piece
  }
  joiner.finish(out);
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
