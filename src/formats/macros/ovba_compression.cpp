#include "formats/macros/ovba_compression.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "formats/macros/macro_project_error.h"

namespace quill {

namespace {

constexpr std::size_t kChunkBytes = 4096;
constexpr unsigned kChunkSignature = 0b011;

[[noreturn]] void damaged(const std::string& reason) {
  throw MacroProjectError("compressed data is damaged (" + reason + ")");
}

std::string sizeText(std::size_t bytes) {
  if (bytes >= (std::size_t(1) << 20) && bytes % (std::size_t(1) << 20) == 0)
    return std::to_string(bytes >> 20) + " MiB";
  return std::to_string(bytes) + " bytes";
}

// Decompresses chunks one after the other into out, never past a chunk's 4096 bytes nor the
// caller's limit.
class ContainerReader {
 public:
  ContainerReader(std::string_view container, std::size_t maxBytes)
      : in_(container), maxBytes_(maxBytes) {}

  std::string run() {
    if (in_.empty() || std::uint8_t(in_[0]) != 0x01) damaged("no signature byte");
    std::size_t position = 1;
    while (position + 2 <= in_.size()) position = readChunk(position);
    return std::move(out_);
  }

 private:
  std::uint8_t byteAt(std::size_t position) const { return std::uint8_t(in_[position]); }

  // Reads the chunk at position and gives the position of the next.
  std::size_t readChunk(std::size_t position) {
    const unsigned header = byteAt(position) | unsigned(byteAt(position + 1)) << 8;
    if ((header >> 12 & 0b111) != kChunkSignature)
      damaged("chunk header at byte " + std::to_string(position));
    const std::size_t end = std::min(in_.size(), position + (header & 0x0FFF) + 3);
    const std::size_t start = position + 2;
    chunkStart_ = out_.size();
    if ((header & 0x8000) == 0)
      copyRaw(start, std::min(in_.size(), start + kChunkBytes));
    else
      readTokens(start, end);
    return (header & 0x8000) == 0 ? start + kChunkBytes : end;
  }

  void copyRaw(std::size_t from, std::size_t to) {
    reserve(to - from);
    out_.append(in_.substr(from, to - from));
  }

  void readTokens(std::size_t position, std::size_t end) {
    while (position < end) {
      const std::uint8_t flags = byteAt(position++);
      for (int bit = 0; bit < 8 && position < end; ++bit) {
        if ((flags >> bit & 1) == 0) {
          reserve(1);
          out_.push_back(in_[position++]);
        } else {
          if (position + 2 > end) damaged("copy token cut off at byte " + std::to_string(position));
          copyBack(byteAt(position) | unsigned(byteAt(position + 1)) << 8);
          position += 2;
        }
      }
    }
  }

  // Repeats earlier bytes of the chunk: the token's split between offset and length
  // depends on how much of the chunk is already decompressed.
  void copyBack(unsigned token) {
    const std::size_t done = out_.size() - chunkStart_;
    if (done == 0)
      damaged("copy token reaching before its chunk at byte " + std::to_string(out_.size()));
    const unsigned bitCount = std::max(4u, unsigned(std::bit_width(done - 1)));
    const unsigned lengthMask = 0xFFFFu >> bitCount;
    const std::size_t length = (token & lengthMask) + 3;
    const std::size_t offset = (token >> (16 - bitCount)) + 1;
    if (offset > done)
      damaged("copy token reaching before its chunk at byte " + std::to_string(out_.size()));
    reserve(length);
    // Byte by byte, since the copy may overlap what it writes (offset below length).
    const std::size_t from = out_.size() - offset;
    out_.resize(out_.size() + length);
    char* const bytes = out_.data();
    for (std::size_t i = 0; i < length; ++i) bytes[from + offset + i] = bytes[from + i];
  }

  // Refuses output past the chunk's 4096 bytes or the caller's limit before it is written.
  void reserve(std::size_t count) {
    if (out_.size() - chunkStart_ + count > kChunkBytes) damaged("chunk longer than 4096 bytes");
    if (out_.size() + count > maxBytes_)
      throw MacroProjectError("it decompresses to more than " + sizeText(maxBytes_));
  }

  std::string_view in_;
  std::size_t maxBytes_;
  std::string out_;
  std::size_t chunkStart_ = 0;
};

}  // namespace

std::string decompressMacroContainer(std::string_view container, std::size_t maxBytes) {
  return ContainerReader(container, maxBytes).run();
}

}  // namespace quill
