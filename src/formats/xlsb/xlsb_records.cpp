#include "formats/xlsb/xlsb_records.h"

#include "base/utf16.h"
#include "formats/xlsx/xlsx_package.h"
#include "sheet/workbook.h"

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

void FieldCursor::ranShort() const {
  throw WorkbookError(std::string(errorPrefix_) + " has a record of type " +
                      std::to_string(record_.type) + " at offset " +
                      std::to_string(record_.offset) + " that is shorter than its contents say");
}

void FieldCursor::appendWideString(std::string& out) {
  const std::uint32_t units = u32();
  if (units > remaining() / 2) ranShort();
  appendUtf16LittleEndian(out, bytes(std::size_t(units) * 2).data(), units);
}

bool FieldCursor::appendNullableWideString(std::string& out) {
  need(4);
  if (littleEndian32(bytes_.data() + position_) == 0xFFFFFFFFu) {
    position_ += 4;
    return false;
  }
  appendWideString(out);
  return true;
}

}  // namespace quill::xlsb
