#include "formats/xls/byte_source.h"

#include <cstring>

namespace quill::xls {

void MemorySource::read(std::uint64_t offset, std::uint8_t* out, std::size_t count) {
  std::memcpy(out, bytes_.data() + offset, count);
}

}  // namespace quill::xls
