#include "sheet/plain_number.h"

#include <cstddef>

namespace quill {

namespace {

constexpr std::size_t kSignificantDigits = 15;
constexpr std::size_t kMostLeadingFractionZeros = 4;  // 0.00001 is plain, 0.000001 is 1E-06

bool isDigit(char ch) {
  return ch >= '0' && ch <= '9';
}

}  // namespace

bool isPlainNumberText(std::string_view text) {
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) ++i;
  const std::size_t integerStart = i;
  while (i < text.size() && isDigit(text[i])) ++i;
  const std::size_t integerDigits = i - integerStart;
  if (integerDigits == 0 || integerDigits > kSignificantDigits) return false;
  const bool integerZero = text[integerStart] == '0';
  if (integerZero && integerDigits > 1) return false;       // a leading zero
  if (i == text.size()) return !(integerZero && negative);  // "-0" gives "0"
  if (text[i] != '.') return false;
  const std::size_t fractionStart = ++i;
  while (i < text.size() && isDigit(text[i])) ++i;
  const std::size_t fractionDigits = i - fractionStart;
  if (i != text.size() || fractionDigits == 0 || text.back() == '0') return false;
  if (!integerZero) return integerDigits + fractionDigits <= kSignificantDigits;
  std::size_t zeros = 0;
  while (text[fractionStart + zeros] == '0') ++zeros;
  return zeros <= kMostLeadingFractionZeros && fractionDigits - zeros <= kSignificantDigits;
}

}  // namespace quill
