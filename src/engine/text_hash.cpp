#include "engine/text_hash.h"

namespace quill {

namespace {

constexpr std::uint64_t kFnvOffset = 14695981039346656037ull;
constexpr std::uint64_t kFnvPrime = 1099511628211ull;

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

char foldedCase(char c) {
  return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// Calls take(byte) for each byte of the comparable form of text.
template <typename Take>
void forEachComparableByte(const ComparisonOptions& options, std::string_view text, Take take) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (options.ignoreSpaces && isBlank(c)) {
      while (i + 1 < text.size() && isBlank(text[i + 1])) ++i;
      c = ' ';
    }
    take(options.ignoreCase ? foldedCase(c) : c);
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
