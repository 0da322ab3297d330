#include "sheet/xls/record_reader.h"

#include <cstdio>
#include <string>

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

bool RecordReader::peekHeader(Header& header) {
  if (source_.size() - position_ < 4) return false;
  std::uint8_t bytes[4];
  source_.read(position_, bytes, 4);
  header.type = std::uint16_t(bytes[0] | bytes[1] << 8);
  header.length = std::uint16_t(bytes[2] | bytes[3] << 8);
  return true;
}

void RecordReader::appendPayload(const Header& header) {
  const std::uint64_t left = source_.size() - position_ - 4;
  if (header.length > left)
    throw WorkbookError("record " + recordTypeText(header.type) + " at offset " +
                        std::to_string(position_) + " announces " + std::to_string(header.length) +
                        " bytes but only " + std::to_string(left) + " remain (truncated file)");
  if (data_.size() + header.length > UINT32_MAX)
    throw WorkbookError("a record continued past 4 GiB at offset " + std::to_string(position_) +
                        " (damaged file)");
  const std::size_t start = data_.size();
  data_.resize(start + header.length);
  if (header.length > 0) source_.read(position_ + 4, data_.data() + start, header.length);
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
  data_.clear();
  segmentEnds_.clear();
  record.type = header.type;
  record.offset = position_;
  appendPayload(header);
  Header following;
  while (header.type != kContinue && peekHeader(following) && following.type == kContinue)
    appendPayload(following);
  record.data = data_;
  record.segmentEnds = segmentEnds_;
  return true;
}

}  // namespace quill::xls
