#include "engine/text_hash.h"

namespace quill {

namespace {

constexpr std::uint64_t kFnvOffset = 14695981039346656037ull;
constexpr std::uint64_t kFnvPrime = 1099511628211ull;

// The length of the blank at text[i]: a space, a tab or a no-break space (UTF-8 C2 A0); 0
// when there is none.
std::size_t blankLength(std::string_view text, std::size_t i) {
  if (text[i] == ' ' || text[i] == '\t') return 1;
  return text.substr(i, 2) == "\xC2\xA0" ? 2 : 0;
}

char foldedCase(char c) {
  return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// Calls take(byte) for each byte of the comparable form of text.
template <typename Take>
void forEachComparableByte(const ComparisonOptions& options, std::string_view text, Take take) {
  for (std::size_t i = 0; i < text.size();) {
    if (std::size_t blank = options.ignoreSpaces ? blankLength(text, i) : 0; blank > 0) {
      for (i += blank; i < text.size() && (blank = blankLength(text, i)) > 0;) i += blank;
      take(' ');
      continue;
    }
    // Latin-1 capitals (C3 80 to C3 9E but for the multiplication sign) and their small
    // letters lie 0x20 apart in their second byte.
    const unsigned char second = i + 1 < text.size() ? (unsigned char)text[i + 1] : 0;
    if (options.ignoreCase && (unsigned char)text[i] == 0xC3 && second >= 0x80 && second <= 0x9E &&
        second != 0x97) {
      take(text[i]);
      take(char(second + 0x20));
      i += 2;
      continue;
    }
    take(options.ignoreCase ? foldedCase(text[i]) : text[i]);
    ++i;
  }
}

// Spreads the bits of a value over the whole word (the finaliser of splitmix64).
std::uint64_t mixed(std::uint64_t value) {
  value = (value ^ (value >> 30)) * 0xbf58476d1ce4e5b9ull;
  value = (value ^ (value >> 27)) * 0x94d049bb133111ebull;
  return value ^ (value >> 31);
}

}  // namespace

std::string comparableText(const ComparisonOptions& options, std::string_view text) {
  std::string comparable;
  comparable.reserve(text.size());
  forEachComparableByte(options, text, [&](char c) { comparable.push_back(c); });
  return comparable;
}

std::uint64_t textHash(const ComparisonOptions& options, std::string_view text) {
  std::uint64_t hash = kFnvOffset;
  forEachComparableByte(options, text, [&](char c) {
    hash ^= std::uint8_t(c);
    hash *= kFnvPrime;
  });
  return mixed(hash);
}

std::uint64_t rowHash(const ComparisonOptions& options, std::span<const std::string_view> texts) {
  std::uint64_t hash = 0;
  for (std::size_t c = 0; c < texts.size(); ++c)
    if (!texts[c].empty()) hash = mixed(hash + mixed(c + 1) + textHash(options, texts[c]));
  return hash;
}

}  // namespace quill
