#include "formats/xls/record_reader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "base/byte_cursor.h"
#include "sheet/read_options.h"
#include "sheet/workbook.h"

namespace quill::xls {

std::string recordTypeText(std::uint16_t type) {
  char hex[8];
  std::snprintf(hex, sizeof hex, "0x%04X", type);
  return hex;
}

void RecordReader::seek(std::uint64_t offset) {
  if (offset > source_.size())
    throw WorkbookError("a sheet's records are said to start at offset " + std::to_string(offset) +
                        ", past the end of the " + std::to_string(source_.size()) +
                        "-byte workbook stream");
  position_ = offset;
}

const std::uint8_t* RecordReader::bytesAt(std::uint64_t offset, std::size_t count) {
  const std::uint64_t wanted = std::min<std::uint64_t>(count, source_.size() - offset);
  if (offset < bufferStart_ || offset + wanted > bufferStart_ + buffer_.size()) {
    const std::size_t length =
        std::size_t(std::min<std::uint64_t>(kBufferSize, source_.size() - offset));
    buffer_.resize(length);
    source_.read(offset, buffer_.data(), length);
    bufferStart_ = offset;
  }
  return buffer_.data() + (offset - bufferStart_);
}

bool RecordReader::peekHeader(Header& header) {
  if (source_.size() - position_ < 4) return false;
  const std::uint8_t* bytes = bytesAt(position_, 4);
  header.type = littleEndian16(bytes);
  header.length = littleEndian16(bytes + 2);
  return true;
}

void RecordReader::checkLength(const Header& header) const {
  const std::uint64_t left = source_.size() - position_ - 4;
  if (header.length > left)
    throw WorkbookError("record " + recordTypeText(header.type) + " at offset " +
                        std::to_string(position_) + " announces " + std::to_string(header.length) +
                        " bytes but only " + std::to_string(left) + " remain (truncated file)");
}

void RecordReader::appendPayload(const Header& header) {
  checkLength(header);
  if (data_.size() + header.length > UINT32_MAX)
    throw WorkbookError("a record continued past 4 GiB at offset " + std::to_string(position_) +
                        " (damaged file)");
  const std::size_t start = data_.size();
  data_.resize(start + header.length);
  if (header.length > 0)
    std::memcpy(data_.data() + start, bytesAt(position_ + 4, header.length), header.length);
  segmentEnds_.push_back(std::uint32_t(data_.size()));
  position_ += 4 + std::uint64_t(header.length);
}

bool RecordReader::next(Record& record) {
  if (recordsUntilStopCheck_-- == 0) {
    recordsUntilStopCheck_ = kRecordsPerStopCheck;
    stopIfRequested(stop_);
  }
  Header header;
  if (!peekHeader(header)) return false;
  checkLength(header);
  record.type = header.type;
  record.offset = position_;
  segmentEnds_.clear();
  // The record and the header after it, together in the buffer: when no CONTINUE follows,
  // the record is handed out where it lies.
  const std::uint8_t* bytes = bytesAt(position_, 4 + std::size_t(header.length) + 4);
  const std::uint64_t followingAt = position_ + 4 + header.length;
  const bool continued = header.type != kContinue && source_.size() - followingAt >= 4 &&
                         littleEndian16(bytes + 4 + header.length) == kContinue;
  if (!continued) {
    segmentEnds_.push_back(header.length);
    record.data = std::span<const std::uint8_t>(bytes + 4, header.length);
    record.segmentEnds = segmentEnds_;
    position_ = followingAt;
    return true;
  }
  data_.clear();
  appendPayload(header);
  Header following;
  while (peekHeader(following) && following.type == kContinue) appendPayload(following);
  record.data = data_;
  record.segmentEnds = segmentEnds_;
  return true;
}

}  // namespace quill::xls
