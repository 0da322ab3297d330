#pragma once

#include <string>
#include <string_view>

namespace quill {

// Colours as the workbook model writes them: "RRGGBB" in upper case, "theme N" with
// " tint T" when tinted, "" for automatic.

// "FFFF0000" (alpha first) or "FF0000" gives "FF0000"; "" for any other text.
std::string rgbColourText(std::string_view hex);
// "theme 4", or "theme 4 tint -0.25" for a tint other than 0 (shortest exact form).
std::string themeColourText(long theme, double tint);
// The colour of an index of the standard 64-colour palette; "" for the system colours
// (64 and up) and anything else outside it.
std::string paletteColourText(long index);

}  // namespace quill
