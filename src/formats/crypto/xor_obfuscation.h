#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quill::crypto {

// The 16-byte array and 16-bit values of the binary formats' XOR obfuscation, derived from a
// password's single bytes (see xorPasswordBytes).
struct XorObfuscation {
  std::uint16_t key = 0;
  std::uint16_t verifier = 0;
  std::array<std::uint8_t, 16> array{};
};

// A password as the XOR obfuscation uses it: of each UTF-16 code unit its low byte, or its
// high byte when the low one is zero, at most 15 of them.
std::string xorPasswordBytes(std::string_view utf8);

// Derives the key, verifier and array from a password's bytes (1 to 15 of them; an empty
// password has only the verifier, its key and array staying zero).
XorObfuscation xorObfuscation(std::string_view passwordBytes);

// Undoes the obfuscation of one byte that used array entry `index` (taken modulo 16).
inline std::uint8_t xorDeobfuscated(const XorObfuscation& xor_, std::uint8_t byte,
                                    std::size_t index) {
  const std::uint8_t value = byte ^ xor_.array[index % 16];
  return std::uint8_t(value >> 5 | value << 3);
}

}  // namespace quill::crypto
