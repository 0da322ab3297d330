#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "formats/crypto/decryption_error.h"

namespace quill::crypto {

// Reads little-endian fields from the front of a byte string, refusing to read past its end.
class ByteFields {
 public:
  explicit ByteFields(std::string_view bytes) : rest_(bytes) {}

  std::uint32_t u16() { return std::uint32_t(unsigned_(2)); }
  std::uint32_t u32() { return std::uint32_t(unsigned_(4)); }
  std::uint64_t u64() { return unsigned_(8); }
  std::string_view bytes(std::size_t count) {
    need(count);
    std::string_view taken = rest_.substr(0, count);
    rest_.remove_prefix(count);
    return taken;
  }
  std::string_view rest() const { return rest_; }

 private:
  void need(std::size_t count) const {
    if (rest_.size() < count)
      throw DecryptionError(DecryptionFailure::Damaged, "its encryption information is cut short");
  }
  std::uint64_t unsigned_(std::size_t count) {
    need(count);
    std::uint64_t value = 0;
    for (std::size_t i = count; i-- > 0;) value = value << 8 | std::uint8_t(rest_[i]);
    rest_.remove_prefix(count);
    return value;
  }

  std::string_view rest_;
};

// The little-endian bytes of a 32-bit number.
inline std::string littleEndian32(std::uint32_t value) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[std::size_t(i)] = char(value >> (8 * i) & 0xFF);
  return bytes;
}

// A password as UTF-16LE, as the office formats hash it; invalid UTF-8 bytes count as
// one code unit each.
std::string utf16LittleEndian(std::string_view utf8);

}  // namespace quill::crypto
