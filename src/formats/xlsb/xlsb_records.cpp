#include "formats/xlsb/xlsb_records.h"

#include <bit>

#include "base/utf8.h"
#include "sheet/workbook.h"
#include "formats/xlsx/xlsx_package.h"

namespace quill::xlsb {

namespace {

// A record header read from the start of some bytes.
struct Header {
  enum class State { Complete, Incomplete, Malformed } state = State::Incomplete;
  std::uint32_t type = 0;
  std::uint64_t size = 0;
  std::size_t length = 0;  // bytes the header itself takes
};

Header readHeader(std::string_view bytes) {
  Header header;
  std::size_t at = 0;
  auto byteAt = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
  if (at >= bytes.size()) return header;
  header.type = byteAt(at) & 0x7Fu;
  if ((byteAt(at++) & 0x80u) != 0) {
    if (at >= bytes.size()) return header;
    header.type |= std::uint32_t(byteAt(at++) & 0x7Fu) << 7;
  }
  for (int i = 0;; ++i) {
    if (i == 4) {
      header.state = Header::State::Malformed;
      return header;
    }
    if (at >= bytes.size()) return header;
    const std::uint8_t byte = byteAt(at++);
    header.size |= std::uint64_t(byte & 0x7Fu) << (7 * i);
    if ((byte & 0x80u) == 0) break;
  }
  header.length = at;
  header.state = Header::State::Complete;
  return header;
}

constexpr std::uint32_t kReplacement = 0xFFFD;

}  // namespace

void RecordSplitter::fail(const std::string& reason) const {
  throw WorkbookError(errorPrefix_ + " " + reason);
}

std::size_t RecordSplitter::consumeRecords(std::string_view bytes) {
  std::size_t used = 0;
  while (used < bytes.size()) {
    const Header header = readHeader(bytes.substr(used));
    if (header.state == Header::State::Malformed)
      fail("has a record header at offset " + std::to_string(offset_) +
           " whose size takes more than four bytes");
    if (header.state == Header::State::Incomplete) break;
    if (header.size > kMaxRecordSize)
      fail("has a record at offset " + std::to_string(offset_) + " of " +
           std::to_string(header.size) + " bytes, more than the " + std::to_string(kMaxRecordSize) +
           " a record may take");
    const std::size_t total = header.length + std::size_t(header.size);
    if (bytes.size() - used < total) break;
    consume_(
        Record{header.type, bytes.substr(used + header.length, std::size_t(header.size)), offset_});
    used += total;
    offset_ += total;
  }
  return used;
}

void RecordSplitter::feed(std::string_view chunk) {
  if (pending_.empty()) {
    const std::size_t used = consumeRecords(chunk);
    pending_.assign(chunk.substr(used));
    return;
  }
  pending_.append(chunk);
  const std::size_t used = consumeRecords(pending_);
  pending_.erase(0, used);
}

void RecordSplitter::finish() const {
  if (!pending_.empty())
    fail("ends inside the record at offset " + std::to_string(offset_) + " (" +
         std::to_string(pending_.size()) + " bytes present)");
}

std::string partErrorPrefix(const ZipArchive& zip, std::string_view part) {
  return "\"" + zip.path() + "\" cannot be read: the part \"" + std::string(part) + "\"";
}

void readRecords(const ZipArchive& zip, std::string_view part, const std::string& errorPrefix,
                 const std::function<void(const Record&)>& consume) {
  RecordSplitter splitter(errorPrefix, consume);
  zip.read(xlsx::storedPartName(zip, part), [&](std::string_view chunk) { splitter.feed(chunk); });
  splitter.finish();
}

void RecordCursor::need(std::size_t count) const {
  if (count > remaining())
    throw WorkbookError(std::string(errorPrefix_) + " has a record of type " +
                        std::to_string(record_.type) + " at offset " +
                        std::to_string(record_.offset) + " that is shorter than its contents say");
}

std::uint8_t RecordCursor::u8() {
  need(1);
  return static_cast<std::uint8_t>(record_.data[position_++]);
}

std::uint16_t RecordCursor::u16() {
  const std::uint16_t low = u8();
  return std::uint16_t(low | std::uint16_t(u8()) << 8);
}

std::uint32_t RecordCursor::u32() {
  need(4);
  const auto* p = reinterpret_cast<const std::uint8_t*>(record_.data.data() + position_);
  position_ += 4;
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
         std::uint32_t(p[3]) << 24;
}

double RecordCursor::f64() {
  const std::uint64_t low = u32();
  const std::uint64_t high = u32();
  return std::bit_cast<double>(low | high << 32);
}

double RecordCursor::rk() {
  const std::uint32_t rk = u32();
  const double value = (rk & 0x02u) != 0
                           ? double(std::int32_t(rk) >> 2)
                           : std::bit_cast<double>(std::uint64_t(rk & 0xFFFFFFFCu) << 32);
  return (rk & 0x01u) != 0 ? value / 100 : value;
}

void RecordCursor::skip(std::size_t count) {
  need(count);
  position_ += count;
}

std::span<const std::uint8_t> RecordCursor::bytes(std::size_t count) {
  need(count);
  const auto* start = reinterpret_cast<const std::uint8_t*>(record_.data.data()) + position_;
  position_ += count;
  return {start, count};
}

void RecordCursor::appendUtf16(std::string& out, std::size_t units) {
  need(units * 2);
  const auto* p = reinterpret_cast<const std::uint8_t*>(record_.data.data() + position_);
  position_ += units * 2;
  std::uint32_t high = 0;  // a high surrogate waiting for its low half
  for (std::size_t i = 0; i < units; ++i) {
    const std::uint32_t unit = std::uint32_t(p[2 * i]) | std::uint32_t(p[2 * i + 1]) << 8;
    if (unit >= 0xDC00 && unit <= 0xDFFF && high != 0) {
      appendUtf8(out, 0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00));
      high = 0;
      continue;
    }
    if (high != 0) appendUtf8(out, kReplacement);
    high = 0;
    if (unit >= 0xD800 && unit <= 0xDBFF)
      high = unit;
    else if (unit >= 0xDC00 && unit <= 0xDFFF)
      appendUtf8(out, kReplacement);
    else
      appendUtf8(out, unit);
  }
  if (high != 0) appendUtf8(out, kReplacement);
}

void RecordCursor::appendWideString(std::string& out) {
  const std::uint32_t units = u32();
  if (units > remaining() / 2) need(std::size_t(units) * 2);  // throws: more than present
  appendUtf16(out, units);
}

bool RecordCursor::appendNullableWideString(std::string& out) {
  need(4);
  const std::string_view rest = record_.data.substr(position_, 4);
  if (rest == std::string_view("\xFF\xFF\xFF\xFF", 4)) {
    position_ += 4;
    return false;
  }
  appendWideString(out);
  return true;
}

}  // namespace quill::xlsb
