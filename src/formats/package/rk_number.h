#pragma once

#include <bit>
#include <cstdint>

namespace quill {

// The number an RK value of the binary formats stands for: bit 1 set, a 30-bit signed integer
// in the high bits; clear, the high 30 bits of a double whose other bits are zero; bit 0 set,
// that number divided by 100.
inline double rkNumber(std::uint32_t rk) {
  const double value = (rk & 0x02u) != 0
                           ? double(std::int32_t(rk) >> 2)
                           : std::bit_cast<double>(std::uint64_t(rk & 0xFFFFFFFCu) << 32);
  return (rk & 0x01u) != 0 ? value / 100 : value;
}

}  // namespace quill
