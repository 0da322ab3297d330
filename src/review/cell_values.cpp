#include "review/cell_values.h"

#include <charconv>
#include <cmath>

namespace quill {

namespace {

bool digitsAt(std::string_view text, std::size_t at, std::size_t count, long& value) {
  if (at + count > text.size()) return false;
  value = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

// The number rules' form: an optional "-", digits without leading zeros, a fraction without
// trailing zeros, and an exponent "E+dd" or "E-dd".
bool isNumberText(std::string_view text) {
  std::size_t i = text.starts_with('-') ? 1 : 0;
  const std::size_t digits = i;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
  if (i == digits || (text[digits] == '0' && i - digits > 1)) return false;
  if (i < text.size() && text[i] == '.') {
    const std::size_t fraction = ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    if (i == fraction || text[i - 1] == '0') return false;
  }
  if (i < text.size() && text[i] == 'E') {
    if (++i >= text.size() || (text[i] != '+' && text[i] != '-')) return false;
    const std::size_t exponent = ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    if (i - exponent < 2) return false;
  }
  return i == text.size();
}

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
long daysFromCivil(long year, long month, long day) {
  year -= month <= 2;
  const long era = (year >= 0 ? year : year - 399) / 400;
  const long yearOfEra = year - era * 400;
  const long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

// The 1900 date system's serial of "yyyy-mm-dd" at position 0; false for another text or a
// day before 1900-01-01.
bool dateSerial(std::string_view text, double& serial) {
  long year = 0, month = 0, day = 0;
  if (text.size() < 10 || text[4] != '-' || text[7] != '-' || !digitsAt(text, 0, 4, year) ||
      !digitsAt(text, 5, 2, month) || !digitsAt(text, 8, 2, day))
    return false;
  if (year < 1900 || month < 1 || month > 12 || day < 1 || day > 31) return false;
  if (year == 1900 && month == 2 && day == 29) {  // the 1900 system's day that never was
    serial = 60;
    return true;
  }
  const long days = daysFromCivil(year, month, day);
  if (day > 28 && daysFromCivil(month == 12 ? year + 1 : year, month % 12 + 1, 1) <= days)
    return false;  // no such day in that month
  serial = double(days - daysFromCivil(1899, 12, 30));
  if (serial < 61) serial -= 1;  // before 1900-03-01 the system counts from 1900-01-01 as 1
  return true;
}

// The fraction of a day of "hh:mm:ss" at the position.
bool timeFraction(std::string_view text, std::size_t at, double& fraction) {
  long hours = 0, minutes = 0, seconds = 0;
  if (text.size() != at + 8 || text[at + 2] != ':' || text[at + 5] != ':' ||
      !digitsAt(text, at, 2, hours) || !digitsAt(text, at + 3, 2, minutes) ||
      !digitsAt(text, at + 6, 2, seconds) || hours > 23 || minutes > 59 || seconds > 59)
    return false;
  fraction = double(hours * 3600 + minutes * 60 + seconds) / 86400.0;
  return true;
}

}  // namespace

CellValue cellValue(std::string_view text) {
  if (text == "True") return {ValueType::Boolean, 1};
  if (text == "False") return {ValueType::Boolean, 0};
  if (isNumberText(text)) {
    double number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error == std::errc() && end == text.data() + text.size() && std::isfinite(number))
      return {ValueType::Number, number};
    return {};
  }
  double serial = 0, fraction = 0;
  if (text.size() == 8 && timeFraction(text, 0, fraction)) return {ValueType::Time, fraction};
  if (text.size() == 10 && dateSerial(text, serial)) return {ValueType::Date, serial};
  if (text.size() == 19 && text[10] == ' ' && dateSerial(text, serial) &&
      timeFraction(text, 11, fraction))
    return {ValueType::DateTime, serial + fraction};
  return {};
}

}  // namespace quill
