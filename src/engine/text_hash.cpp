#include "engine/text_hash.h"

#include "engine/loose_text.h"

namespace quill {

namespace {

constexpr std::uint64_t kFnvOffset = 14695981039346656037ull;
constexpr std::uint64_t kFnvPrime = 1099511628211ull;

// Calls take(byte) for each byte of the UTF-8 encoding of c.
template <typename Take>
void encodeUtf8(char32_t c, Take take) {
  if (c < 0x80) {
    take(char(c));
  } else if (c < 0x800) {
    take(char(0xC0 | (c >> 6)));
    take(char(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    take(char(0xE0 | (c >> 12)));
    take(char(0x80 | ((c >> 6) & 0x3F)));
    take(char(0x80 | (c & 0x3F)));
  } else {
    take(char(0xF0 | (c >> 18)));
    take(char(0x80 | ((c >> 12) & 0x3F)));
    take(char(0x80 | ((c >> 6) & 0x3F)));
    take(char(0x80 | (c & 0x3F)));
  }
}

// Calls take(byte) for each byte of the comparable form of text: the characters the loose
// cell equality reads, in UTF-8, so that two texts have the same form exactly when that
// equality holds. A byte that is not valid UTF-8 is given as it is; it stays invalid in the
// form, so it never reads as a character there.
template <typename Take>
void forEachComparableByte(const ComparisonOptions& options, std::string_view text, Take take) {
  if (!options.ignoreCase && !options.ignoreSpaces) {
    for (const char c : text) take(c);
    return;
  }
  LooseTextReader reader(text, options.ignoreCase, options.ignoreSpaces);
  for (char32_t c = reader.next(); c != LooseTextReader::kEnd; c = reader.next()) {
    if (c >= LooseTextReader::kInvalidByteBase)
      take(char(c - LooseTextReader::kInvalidByteBase));
    else
      encodeUtf8(c, take);
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
