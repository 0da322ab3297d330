#include "report/plain_escapes.h"

#include <cstdint>

#include "base/utf8.h"

namespace quill {

namespace {

constexpr const char* kHexDigits = "0123456789ABCDEF";

// One step through UTF-8 text: the code point at a position and its length in bytes; a byte
// that starts no well-formed sequence gives valid false and length 1.
struct Utf8Step {
  std::uint32_t codePoint = 0;
  std::size_t length = 1;
  bool valid = true;
};

Utf8Step stepAt(std::string_view text, std::size_t at) {
  const auto byte = std::uint8_t(text[at]);
  if (byte < 0x80) return {byte, 1, true};
  std::size_t length = 0;
  std::uint32_t lower = 0x80, upper = 0xBF, codePoint = 0;
  if (byte >= 0xC2 && byte <= 0xDF) {
    length = 2;
    codePoint = byte & 0x1F;
  } else if (byte >= 0xE0 && byte <= 0xEF) {
    length = 3;
    codePoint = byte & 0x0F;
    if (byte == 0xE0) lower = 0xA0;
    if (byte == 0xED) upper = 0x9F;
  } else if (byte >= 0xF0 && byte <= 0xF4) {
    length = 4;
    codePoint = byte & 0x07;
    if (byte == 0xF0) lower = 0x90;
    if (byte == 0xF4) upper = 0x8F;
  } else {
    return {byte, 1, false};
  }
  if (at + length > text.size()) return {byte, 1, false};
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = std::uint8_t(text[at + i]);
    if (next < lower || next > upper) return {byte, 1, false};
    lower = 0x80;
    upper = 0xBF;
    codePoint = (codePoint << 6) | (next & 0x3F);
  }
  return {codePoint, length, true};
}

void appendHex(std::string& out, const char* prefix, std::uint32_t value, int digits) {
  out.append(prefix);
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
    out.push_back(kHexDigits[(value >> shift) & 0xF]);
}

bool isControl(std::uint32_t codePoint) {
  return codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F);
}

// The embeddings, overrides and isolates that reorder what follows them on a line.
bool isBidiControl(std::uint32_t codePoint) {
  return (codePoint >= 0x202A && codePoint <= 0x202E) ||
         (codePoint >= 0x2066 && codePoint <= 0x2069);
}

}  // namespace

void appendJsonString(std::string& out, std::string_view text) {
  out.push_back('"');
  for (std::size_t i = 0; i < text.size();) {
    const Utf8Step step = stepAt(text, i);
    const char ch = text[i];
    if (!step.valid) {
      appendUtf8(out, 0xFFFD);
    } else if (ch == '"' || ch == '\\') {
      out.push_back('\\');
      out.push_back(ch);
    } else if (ch == '\n') {
      out.append("\\n");
    } else if (ch == '\t') {
      out.append("\\t");
    } else if (ch == '\r') {
      out.append("\\r");
    } else if (ch == '\b') {
      out.append("\\b");
    } else if (ch == '\f') {
      out.append("\\f");
    } else if (step.codePoint < 0x20) {
      appendHex(out, "\\u", step.codePoint, 4);
    } else {
      out.append(text.substr(i, step.length));
    }
    i += step.length;
  }
  out.push_back('"');
}

void appendCsvField(std::string& out, std::string_view text) {
  const bool quote = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                     (!text.empty() && (text.front() == ' ' || text.back() == ' ' ||
                                        text.front() == '\t' || text.back() == '\t'));
  if (quote) out.push_back('"');
  for (std::size_t i = 0; i < text.size();) {
    const Utf8Step step = stepAt(text, i);
    if (!step.valid)
      appendUtf8(out, 0xFFFD);
    else if (text[i] == '"')
      out.append("\"\"");
    else
      out.append(text.substr(i, step.length));
    i += step.length;
  }
  if (quote) out.push_back('"');
}

void appendTerminalText(std::string& out, std::string_view text, bool quoted) {
  if (quoted) out.push_back('"');
  for (std::size_t i = 0; i < text.size();) {
    const Utf8Step step = stepAt(text, i);
    const char ch = text[i];
    if (!step.valid) {
      appendHex(out, "\\x", std::uint8_t(ch), 2);
    } else if (ch == '\\' || (quoted && ch == '"')) {
      out.push_back('\\');
      out.push_back(ch);
    } else if (ch == '\t') {
      out.append("\\t");
    } else if (ch == '\n') {
      out.append("\\n");
    } else if (ch == '\r') {
      out.append("\\r");
    } else if (isControl(step.codePoint)) {
      appendHex(out, step.codePoint < 0x80 ? "\\x" : "\\u00", step.codePoint, 2);
    } else if (isBidiControl(step.codePoint)) {
      appendHex(out, "\\u", step.codePoint, 4);
    } else {
      out.append(text.substr(i, step.length));
    }
    i += step.length;
  }
  if (quoted) out.push_back('"');
}

bool isBareText(std::string_view text) {
  if (text.empty()) return false;
  for (std::size_t i = 0; i < text.size();) {
    const Utf8Step step = stepAt(text, i);
    const std::uint32_t cp = step.codePoint;
    const bool word = (cp >= '0' && cp <= '9') || (cp >= 'a' && cp <= 'z') ||
                      (cp >= 'A' && cp <= 'Z') ||
                      std::string_view(".,-+%/:_#$").find(char(cp)) != std::string_view::npos;
    // Beyond ASCII: letters and digits of other scripts, not controls or spaces.
    const bool other = cp >= 0xA0 && cp != 0xA0 && cp != 0x2028 && cp != 0x2029 &&
                       !(cp >= 0x2000 && cp <= 0x200F) && cp != 0x3000 && cp != 0xFEFF &&
                       !isBidiControl(cp);
    if (!step.valid || !(cp < 0x80 ? word : other)) return false;
    i += step.length;
  }
  return true;
}

}  // namespace quill
