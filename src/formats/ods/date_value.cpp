#include "formats/ods/date_value.h"

#include <cstddef>

namespace quill::ods {

namespace {

bool isDigit(char ch) {
  return ch >= '0' && ch <= '9';
}

// The number of digits at position at of value.
std::size_t digitsAt(std::string_view value, std::size_t at) {
  std::size_t end = at;
  while (end < value.size() && isDigit(value[end])) ++end;
  return end - at;
}

// Walks the fields of a date value: a year of four or more digits (after an optional "-"),
// then "-" month "-" day and optionally "T" hour ":" minute and ":" second, each of one or two
// digits, then whatever follows (fractions of a second, a zone). Appends the padded value to
// out when it is given. Gives whether the value has that form and a field of one digit.
bool walkFields(std::string_view value, std::string* out) {
  std::size_t at = !value.empty() && value[0] == '-' ? 1 : 0;
  const std::size_t yearDigits = digitsAt(value, at);
  if (yearDigits < 4) return false;
  at += yearDigits;
  if (out != nullptr) out->assign(value.substr(0, at));
  bool short_ = false;
  const auto field = [&](char separator) {
    if (at >= value.size() || value[at] != separator) return false;
    const std::size_t digits = digitsAt(value, at + 1);
    if (digits < 1 || digits > 2) return false;
    short_ = short_ || digits == 1;
    if (out != nullptr) {
      out->push_back(separator);
      if (digits == 1) out->push_back('0');
      out->append(value.substr(at + 1, digits));
    }
    at += 1 + digits;
    return true;
  };
  if (!field('-') || !field('-')) return false;
  if (at < value.size() && value[at] == 'T') {
    if (!field('T') || !field(':')) return false;
    if (at < value.size() && value[at] == ':' && !field(':')) return false;
  }
  if (out != nullptr) out->append(value.substr(at));
  return short_;
}

}  // namespace

std::string_view paddedDateValue(std::string_view value, std::string& buffer) {
  if (!walkFields(value, nullptr)) return value;
  walkFields(value, &buffer);
  return buffer;
}

}  // namespace quill::ods
