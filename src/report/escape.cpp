#include "report/escape.h"

#include <array>

namespace quill {

namespace {

// The bytes that appendHtmlEscaped replaces, looked up by table: most cell texts have none,
// and this runs for every cell of a grid.
constexpr std::array<bool, 256> kHtmlSpecial = [] {
  std::array<bool, 256> special{};
  for (unsigned char ch : std::string_view("&<>\"'")) special[ch] = true;
  return special;
}();

}  // namespace

void appendCellTextEscaped(std::string& out, std::string_view text) {
  static constexpr std::string_view kShownSpace = "\u2423";
  std::size_t leading = 0, trailing = 0;
  while (leading < text.size() && text[leading] == ' ') ++leading;
  while (trailing < text.size() - leading && text[text.size() - 1 - trailing] == ' ') ++trailing;
  for (std::size_t i = 0; i < leading; ++i) out.append(kShownSpace);
  appendHtmlEscaped(out, text.substr(leading, text.size() - leading - trailing));
  for (std::size_t i = 0; i < trailing; ++i) out.append(kShownSpace);
}

void appendHtmlEscaped(std::string& out, std::string_view text) {
  std::size_t plainFrom = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!kHtmlSpecial[static_cast<unsigned char>(text[i])]) continue;
    const char* reference = nullptr;
    switch (text[i]) {
      case '&':
        reference = "&amp;";
        break;
      case '<':
        reference = "&lt;";
        break;
      case '>':
        reference = "&gt;";
        break;
      case '"':
        reference = "&quot;";
        break;
      case '\'':
        reference = "&#39;";
        break;
      default:
        continue;
    }
    out.append(text.data() + plainFrom, i - plainFrom);
    out.append(reference);
    plainFrom = i + 1;
  }
  out.append(text.data() + plainFrom, text.size() - plainFrom);
}

void appendUrlEscaped(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (char ch : text) {
    auto byte = static_cast<unsigned char>(ch);
    if (byte > 127 || byte < 33 || ch == '"' || ch == '#' || ch == '?' || ch == '%' || ch == '<' ||
        ch == '>' || ch == '\'' || ch == '&') {
      out.push_back('%');
      out.push_back(kHex[byte >> 4]);
      out.push_back(kHex[byte & 15]);
    } else {
      out.push_back(ch);
    }
  }
}

}  // namespace quill
