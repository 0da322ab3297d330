#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace quill {

// The "RRGGBB" text of an indexed colour: indexes 0 to 7 are fixed, 8 to 63 come from the
// workbook's palette when it has its own (custom, 0x00RRGGBB each, for indexes 8 on) or from
// the default palette; every other index (the system's window text and background, the
// automatic colour) gives "".
std::string indexedColour(std::uint32_t index, std::span<const std::uint32_t> custom = {});

// "RRGGBB" for a colour given as red, green and blue.
std::string rgbColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

}  // namespace quill
