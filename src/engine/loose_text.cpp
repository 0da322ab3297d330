#include "engine/loose_text.h"

namespace quill {

namespace {

bool isBlank(char32_t c) {
  return c == U' ' || c == U'\t' || c == 0xA0;
}

// Latin Extended-A pairs a capital with its small letter as an even and an odd code point,
// except in the two stretches where the capital is the odd one.
char32_t lowerLatinExtendedA(char32_t c) {
  if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
  if (c == 0x178) return 0xFF;
  const bool capitalIsOdd = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
  const bool isCapital = (c % 2 == 1) == capitalIsOdd;
  return isCapital ? c + 1 : c;
}

}  // namespace

char32_t lowerCaseLetter(char32_t c) {
  if (c < 0x80) return c >= U'A' && c <= U'Z' ? c + 0x20 : c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  if (c >= 0x100 && c <= 0x17F) return lowerLatinExtendedA(c);
  if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 0x20;
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  return c;
}

char32_t LooseTextReader::nextCodePoint() {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text_[i]); };
  const unsigned char lead = byte(position_);
  std::size_t length = lead < 0x80                   ? 1
                       : lead >= 0xC2 && lead < 0xE0 ? 2
                       : lead >= 0xE0 && lead < 0xF0 ? 3
                       : lead >= 0xF0 && lead < 0xF5 ? 4
                                                     : 0;
  char32_t c = length == 1   ? lead
               : length == 2 ? lead & 0x1F
               : length == 3 ? lead & 0x0F
                             : lead & 0x07;
  for (std::size_t i = 1; i < length; ++i) {
    if (position_ + i >= text_.size() || (byte(position_ + i) & 0xC0) != 0x80) {
      length = 0;
      break;
    }
    c = (c << 6) | (byte(position_ + i) & 0x3F);
  }
  // Overlong forms and surrogates decode to a character another sequence also gives, so
  // they count as invalid bytes instead.
  const bool overlong = (length == 3 && c < 0x800) || (length == 4 && c < 0x10000);
  const bool outside = c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF);
  if (length == 0 || overlong || outside) {
    ++position_;
    return LooseTextReader::kInvalidByteBase + lead;
  }
  position_ += length;
  return c;
}

char32_t LooseTextReader::next() {
  if (position_ >= text_.size()) return kEnd;
  char32_t c = nextCodePoint();
  if (joinBlanks_ && isBlank(c)) {
    while (position_ < text_.size()) {
      const std::size_t before = position_;
      if (!isBlank(nextCodePoint())) {
        position_ = before;
        break;
      }
    }
    return U' ';
  }
  return foldCase_ ? lowerCaseLetter(c) : c;
}

bool looseTextsEqual(std::string_view text1, std::string_view text2, bool foldCase,
                     bool joinBlanks) {
  LooseTextReader first(text1, foldCase, joinBlanks);
  LooseTextReader second(text2, foldCase, joinBlanks);
  while (true) {
    const char32_t c = first.next();
    if (c != second.next()) return false;
    if (c == LooseTextReader::kEnd) return true;
  }
}

}  // namespace quill
