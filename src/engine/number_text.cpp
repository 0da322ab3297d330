#include "engine/number_text.h"

#include <charconv>
#include <cmath>

namespace quill {

namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// The number of digits at the start of the text.
std::size_t digitsAt(std::string_view text) {
  std::size_t count = 0;
  while (count < text.size() && isDigit(text[count])) ++count;
  return count;
}

// Whether the text is digits with an optional fraction and exponent, and nothing else.
bool hasNumberShape(std::string_view text) {
  const std::size_t whole = digitsAt(text);
  text.remove_prefix(whole);
  std::size_t fraction = 0;
  if (!text.empty() && text.front() == '.') {
    text.remove_prefix(1);
    fraction = digitsAt(text);
    if (fraction == 0) return false;
    text.remove_prefix(fraction);
  }
  if (whole == 0 && fraction == 0) return false;
  if (text.empty()) return true;
  if (text.front() != 'E' && text.front() != 'e') return false;
  text.remove_prefix(1);
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
  return !text.empty() && digitsAt(text) == text.size();
}

}  // namespace

std::optional<double> numberInText(std::string_view text) {
  // Cheap refusals first: most texts that are not numbers fail on their first character.
  if (text.empty()) return std::nullopt;
  bool negative = false;
  if (text.front() == '-' || text.front() == '+') {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty() || (!isDigit(text.front()) && text.front() != '.')) return std::nullopt;
  if (!hasNumberShape(text)) return std::nullopt;
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
    return std::nullopt;
  return negative ? -value : value;
}

}  // namespace quill
