#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>

namespace quill {

// Little-endian numbers stored at p, which holds enough bytes.
inline std::uint16_t littleEndian16(const std::uint8_t* p) {
  return std::uint16_t(p[0] | p[1] << 8);
}
inline std::uint32_t littleEndian32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
         std::uint32_t(p[3]) << 24;
}
inline std::uint64_t littleEndian64(const std::uint8_t* p) {
  return std::uint64_t(littleEndian32(p)) | std::uint64_t(littleEndian32(p + 4)) << 32;
}

// Reads little-endian fields from bytes in order. Every read is checked against the bytes
// left; one past the end calls ranShort, through which each kind of cursor throws what its
// format reports.
class ByteCursor {
 public:
  std::uint8_t u8() {
    need(1);
    return bytes_[position_++];
  }
  std::uint16_t u16() {
    need(2);
    position_ += 2;
    return littleEndian16(bytes_.data() + position_ - 2);
  }
  std::uint32_t u32() {
    need(4);
    position_ += 4;
    return littleEndian32(bytes_.data() + position_ - 4);
  }
  double f64() {
    need(8);
    position_ += 8;
    return std::bit_cast<double>(littleEndian64(bytes_.data() + position_ - 8));
  }
  void skip(std::size_t count) {
    need(count);
    position_ += count;
  }
  // The next count bytes, which stay valid while the bytes read do.
  std::span<const std::uint8_t> bytes(std::size_t count) {
    need(count);
    position_ += count;
    return bytes_.subspan(position_ - count, count);
  }
  std::size_t remaining() const { return bytes_.size() - position_; }
  std::size_t position() const { return position_; }
  bool atEnd() const { return position_ >= bytes_.size(); }

 protected:
  explicit ByteCursor(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  ~ByteCursor() = default;
  ByteCursor(const ByteCursor&) = default;
  ByteCursor& operator=(const ByteCursor&) = default;

  void need(std::size_t count) const {
    if (count > remaining()) ranShort();
  }
  // Throws: a read wanted more bytes than are left.
  [[noreturn]] virtual void ranShort() const = 0;

  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

}  // namespace quill
