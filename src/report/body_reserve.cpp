#include "report/body_reserve.h"

#include <sys/mman.h>

#include <cstdint>

namespace quill {

void reserveBody(std::string& body, std::size_t expectedBytes) {
  constexpr std::uintptr_t kHugePageBytes = std::uintptr_t(1) << 21;
  body.reserve(expectedBytes);
  if (body.capacity() < 2 * kHugePageBytes) return;
  // Only whole pages inside the buffer may be advised.
  constexpr std::uintptr_t kPageBytes = 4096;
  const auto first =
      (reinterpret_cast<std::uintptr_t>(body.data()) + kPageBytes - 1) & ~(kPageBytes - 1);
  const auto last =
      (reinterpret_cast<std::uintptr_t>(body.data()) + body.capacity()) & ~(kPageBytes - 1);
  ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

}  // namespace quill
