#pragma once

#include <cstdint>
#include <span>
#include <stop_token>
#include <string>
#include <vector>

#include "formats/xls/byte_source.h"

namespace quill::xls {

// One record with the CONTINUE records that follow it joined to its data. segmentEnds
// holds the offset in data where each joined piece ends (the last equals data.size()):
// strings split across pieces start each new piece with a fresh option byte.
struct Record {
  std::uint16_t type = 0;
  std::uint64_t offset = 0;  // of its header in the stream
  std::span<const std::uint8_t> data;
  std::span<const std::uint32_t> segmentEnds;
};

inline constexpr std::uint16_t kContinue = 0x003C;

// "0x00FD", as messages name a record type.
std::string recordTypeText(std::uint16_t type);

// Reads the records of a workbook stream one after another, through a buffer of a few
// hundred kilobytes: a record with no CONTINUE is handed out where it lies in the buffer,
// only a continued one is joined in a copy. Every length is checked against the bytes left
// in the stream before anything is read or allocated; the buffers are reused from record to
// record, so a record's data stays valid until the next call. A stop requested through the token
// throws ComparisonCancelled within a few thousand records.
class RecordReader {
 public:
  explicit RecordReader(ByteSource& source, std::stop_token stop = {})
      : source_(source), stop_(std::move(stop)) {}

  // Moves to the record header at offset; throws WorkbookError past the stream's end.
  void seek(std::uint64_t offset);
  // Reads the next record; false at the end of the stream. Throws WorkbookError for a
  // record whose length runs past the end.
  bool next(Record& record);
  std::uint64_t position() const { return position_; }
  std::uint64_t size() const { return source_.size(); }

 private:
  struct Header {
    std::uint16_t type;
    std::uint16_t length;
  };
  bool peekHeader(Header& header);
  void checkLength(const Header& header) const;
  void appendPayload(const Header& header);
  // The bytes of the stream from offset on, count of them (at most kBufferSize) or up to the
  // stream's end, whichever is fewer; valid until the next call.
  const std::uint8_t* bytesAt(std::uint64_t offset, std::size_t count);

  static constexpr int kRecordsPerStopCheck = 4096;
  // Room for the longest record, its header and the next header, many times over.
  static constexpr std::size_t kBufferSize = 256 * 1024;

  ByteSource& source_;
  std::stop_token stop_;
  int recordsUntilStopCheck_ = 0;
  std::uint64_t position_ = 0;
  std::vector<std::uint8_t> buffer_;
  std::uint64_t bufferStart_ = 0;
  std::vector<std::uint8_t> data_;
  std::vector<std::uint32_t> segmentEnds_;
};

}  // namespace quill::xls
