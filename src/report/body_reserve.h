#pragma once

#include <cstddef>
#include <string>

namespace quill {

// Reserves room for a document body expected to grow to about the given size, so that it
// is not copied again and again as it grows, and asks that the room be backed by huge pages
// where the system allows it, so that filling it faults far fewer times. Room left unused
// costs address space only.
void reserveBody(std::string& body, std::size_t expectedBytes);

}  // namespace quill
