#include "formats/package/colour_text.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cstdint>

namespace quill {

namespace {

// Indexes 0 to 63: eight fixed colours, then the default palette of 56.
constexpr std::array<std::uint32_t, 64> kPalette = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
    0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
    0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
    0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
    0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
    0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333,
};

constexpr std::uint32_t kFirstPaletteIndex = 8;

}  // namespace

std::string rgbColourText(std::string_view hex) {
  if (hex.size() == 8) hex.remove_prefix(2);
  if (hex.size() != 6) return {};
  std::string text;
  for (char ch : hex) {
    if (!std::isxdigit(static_cast<unsigned char>(ch))) return {};
    text.push_back(char(std::toupper(static_cast<unsigned char>(ch))));
  }
  return text;
}

std::string themeColourText(long theme, double tint) {
  std::string text = "theme " + std::to_string(theme);
  if (tint != 0) {
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, tint).ptr;
    text += " tint ";
    text.append(digits, end);
  }
  return text;
}

std::string rgbColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text(6, '0');
  const std::uint8_t parts[] = {red, green, blue};
  for (int i = 0; i < 3; ++i) {
    text[2 * i] = kDigits[parts[i] >> 4];
    text[2 * i + 1] = kDigits[parts[i] & 0x0F];
  }
  return text;
}

std::string indexedColour(std::uint32_t index, std::span<const std::uint32_t> custom) {
  if (index >= kPalette.size()) return "";
  std::uint32_t colour = kPalette[index];
  if (index >= kFirstPaletteIndex && index - kFirstPaletteIndex < custom.size())
    colour = custom[index - kFirstPaletteIndex];
  return rgbColour(std::uint8_t(colour >> 16), std::uint8_t(colour >> 8), std::uint8_t(colour));
}

std::string listedColour(std::uint32_t index, std::span<const std::string> palette) {
  return index < palette.size() ? palette[index] : indexedColour(index);
}

}  // namespace quill
