#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quill {

// Colours as the workbook model writes them: "RRGGBB" in upper case, "theme N" with
// " tint T" when tinted, "" for automatic.

// "FFFF0000" (alpha first) or "FF0000" gives "FF0000"; "" for any other text.
std::string rgbColourText(std::string_view hex);
// "theme 4", or "theme 4 tint -0.25" for a tint other than 0 (shortest exact form).
std::string themeColourText(long theme, double tint);
// The "RRGGBB" text of an indexed colour: indexes 0 to 7 are fixed, 8 to 63 come from the
// workbook's palette when it has its own (custom, 0x00RRGGBB each, for indexes 8 on) or from
// the default palette; every other index (the system's window text and background, the
// automatic colour) gives "".
std::string indexedColour(std::uint32_t index, std::span<const std::uint32_t> custom = {});
// The "RRGGBB" text of an indexed colour where a custom palette lists the colours from index
// 0 on (as the package formats store it): the palette's entry, or indexedColour's past it.
std::string listedColour(std::uint32_t index, std::span<const std::string> palette);
// "RRGGBB" for a colour given as red, green and blue.
std::string rgbColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

}  // namespace quill
