// Feeds arbitrary text to the address and column parsers; they must answer or throw
// AddressError, and what they read must print back into something they read again.
#include <cstdint>
#include <string_view>

#include "sheet/address.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  (void)quill::columnNumber(text);
  try {
    for (const quill::Area& area : quill::parseRangeAddress(text)) {
      const std::string again = quill::absoluteAddress(area);
      if (quill::parseRangeAddress(again).front() != area) __builtin_trap();
    }
  } catch (const quill::AddressError&) {
  }
  return 0;
}
