#include "sheet/cell_text.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "base/utf8.h"

namespace quill {

std::string_view trimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

namespace {

// Reads "d.ddde[+-]xx" as written by to_chars into its digits and exponent.
void readScientific(const char* p, const char* end, char* digits, int& count, int& exponent) {
  count = 0;
  digits[count++] = *p++;
  if (*p == '.') ++p;
  while (*p != 'e') digits[count++] = *p++;
  std::from_chars(p + (p[1] == '+' ? 2 : 1), end, exponent);
}

// The digits of a positive finite magnitude rounded to 15 significant digits on its exact
// binary value, trailing zeros dropped, and its decimal exponent. The shortest digits that
// read back as the same double are those digits whenever there are at most 15 of them: the
// value then lies within half a unit of the last place of a 15-digit decimal far closer
// than half that decimal's spacing. Only longer ones, and subnormal magnitudes whose units are
// coarser, need the slower rounding.
void significantDigits(double magnitude, char* digits, int& count, int& exponent) {
  char buffer[40];
  auto written =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
  readScientific(buffer, written.ptr, digits, count, exponent);
  if (count <= 15 && std::isnormal(magnitude)) return;
  written =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14);
  readScientific(buffer, written.ptr, digits, count, exponent);
  while (count > 1 && digits[count - 1] == '0') --count;
}

}  // namespace

void appendNumberText(std::string& out, double value) {
  if (value == 0) {  // also -0
    out.push_back('0');
    return;
  }
  if (!std::isfinite(value)) {
    out.append(std::isnan(value) ? "NaN" : (value < 0 ? "-Infinity" : "Infinity"));
    return;
  }
  if (std::fabs(value) < 1e15 && value == std::trunc(value)) {  // a whole number: exact
    char whole[24];
    out.append(whole, std::to_chars(whole, whole + sizeof whole, std::int64_t(value)).ptr);
    return;
  }
  char digits[20];
  int count = 0;
  int exponent = 0;
  significantDigits(std::fabs(value), digits, count, exponent);

  if (value < 0) out.push_back('-');
  if (exponent >= -5 && exponent < 15) {
    if (exponent < 0) {
      out.append("0.");
      out.append(std::size_t(-exponent - 1), '0');
      out.append(digits, std::size_t(count));
    } else {
      int integerDigits = exponent + 1;
      for (int i = 0; i < integerDigits; ++i) out.push_back(i < count ? digits[i] : '0');
      if (count > integerDigits) {
        out.push_back('.');
        out.append(digits + integerDigits, std::size_t(count - integerDigits));
      }
    }
    return;
  }
  out.push_back(digits[0]);
  if (count > 1) {
    out.push_back('.');
    out.append(digits + 1, std::size_t(count - 1));
  }
  out.push_back('E');
  out.push_back(exponent < 0 ? '-' : '+');
  const int magnitude = exponent < 0 ? -exponent : exponent;
  if (magnitude < 10) out.push_back('0');
  char exponentDigits[8];
  const auto end = std::to_chars(exponentDigits, exponentDigits + sizeof exponentDigits, magnitude);
  out.append(exponentDigits, end.ptr);
}

std::string numberText(double value) {
  std::string out;
  appendNumberText(out, value);
  return out;
}

long daysFromCivil(int year, int month, int day) {
  year -= month <= 2;
  const long era = (year >= 0 ? year : year - 399) / 400;
  const unsigned yearOfEra = unsigned(year - era * 400);
  const unsigned dayOfYear = unsigned((153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1);
  const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + long(dayOfEra) - 719468;
}

CivilDate civilFromDays(long days) {
  days += 719468;
  const long era = (days >= 0 ? days : days - 146096) / 146097;
  const unsigned dayOfEra = unsigned(days - era * 146097);
  const unsigned yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const unsigned mp = (5 * dayOfYear + 2) / 153;
  const int day = int(dayOfYear - (153 * mp + 2) / 5 + 1);
  const int month = int(mp < 10 ? mp + 3 : mp - 9);
  const long year = long(yearOfEra) + era * 400 + (month <= 2);
  return {int(year), month, day};
}

namespace {

void appendTwoDigits(std::string& out, long value) {
  out.push_back(char('0' + value / 10 % 10));
  out.push_back(char('0' + value % 10));
}

// Years 0 to 9999, the only ones a date text can hold.
void appendDate(std::string& out, CivilDate date) {
  appendTwoDigits(out, date.year / 100);
  appendTwoDigits(out, date.year % 100);
  out.push_back('-');
  appendTwoDigits(out, date.month);
  out.push_back('-');
  appendTwoDigits(out, date.day);
}

void appendTime(std::string& out, long seconds) {
  appendTwoDigits(out, seconds / 3600);
  out.push_back(':');
  appendTwoDigits(out, seconds / 60 % 60);
  out.push_back(':');
  appendTwoDigits(out, seconds % 60);
}

// The text of a whole day number and a time of day in seconds, by the rules shared by
// serials and ISO dates: only the time on day 0, only the date at midnight.
void appendDayAndTime(std::string& out, long day, long seconds, CivilDate date) {
  if (day == 0) {
    appendTime(out, seconds);
    return;
  }
  appendDate(out, date);
  if (seconds != 0) {
    out.push_back(' ');
    appendTime(out, seconds);
  }
}

const long kUnixDayOf1899_12_30 = daysFromCivil(1899, 12, 30);
const long kUnixDayOf1904_01_01 = daysFromCivil(1904, 1, 1);
const long kUnixDayOf9999_12_31 = daysFromCivil(9999, 12, 31);

}  // namespace

bool appendSerialDateText(std::string& out, double serial, bool date1904) {
  if (!(serial >= 0) || serial > 3e6) return false;
  const double whole = std::floor(serial);
  long day = long(whole);
  long seconds = long(std::floor((serial - whole) * 86400.0 + 0.5));
  if (seconds >= 86400) {
    ++day;
    seconds -= 86400;
  }
  CivilDate date;
  if (date1904) {
    date = civilFromDays(kUnixDayOf1904_01_01 + day);
  } else if (day == 60) {
    date = {1900, 2, 29};
  } else {
    // Serials below 60 count from 1899-12-31, as the 1900 system has its 1900-02-29.
    date = civilFromDays(kUnixDayOf1899_12_30 + day + (day < 60 ? 1 : 0));
  }
  const long unixDay = date1904 ? kUnixDayOf1904_01_01 + day : kUnixDayOf1899_12_30 + day;
  if (unixDay > kUnixDayOf9999_12_31) return false;
  appendDayAndTime(out, day, seconds, date);
  return true;
}

std::optional<std::string> serialDateText(double serial, bool date1904) {
  std::string out;
  if (!appendSerialDateText(out, serial, date1904)) return std::nullopt;
  return out;
}

void appendDateOrNumberText(std::string& out, double serial, bool date1904) {
  if (!appendSerialDateText(out, serial, date1904)) appendNumberText(out, serial);
}

std::string dateOrNumberText(double serial, bool date1904) {
  std::string out;
  appendDateOrNumberText(out, serial, date1904);
  return out;
}

bool isBuiltinDateFormat(int id) {
  return (id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) ||
         (id >= 50 && id <= 58);
}

namespace {

// "h", "HH", "mm", "sss": the inside of a bracket that shows elapsed time.
bool isElapsedBracket(std::string_view inside) {
  if (inside.empty()) return false;
  const char unit = char(std::tolower(static_cast<unsigned char>(inside[0])));
  if (unit != 'h' && unit != 'm' && unit != 's') return false;
  for (char ch : inside)
    if (std::tolower(static_cast<unsigned char>(ch)) != unit) return false;
  return true;
}

}  // namespace

bool isDateFormatCode(std::string_view code) {
  if (code.size() == 7) {
    char lower[8];
    for (int i = 0; i < 7; ++i) lower[i] = char(std::tolower(static_cast<unsigned char>(code[i])));
    if (std::string_view(lower, 7) == "general") return false;
  }
  for (std::size_t i = 0; i < code.size(); ++i) {
    char ch = code[i];
    switch (ch) {
      case '"': {
        std::size_t close = code.find('"', i + 1);
        if (close == std::string_view::npos) return false;
        i = close;
        break;
      }
      case '\\':
      case '_':
      case '*':
        ++i;  // the next character is shown as it is
        break;
      case '[': {
        std::size_t close = code.find(']', i + 1);
        if (close == std::string_view::npos) return false;
        std::string_view inside = code.substr(i + 1, close - i - 1);
        if (isElapsedBracket(inside)) return true;
        i = close;
        break;
      }
      default:
        if (std::strchr("yYmMdDhHsS", ch) != nullptr && ch != '\0') return true;
    }
  }
  return false;
}

std::string errorText(std::string_view stored) {
  static constexpr std::array<std::pair<std::string_view, int>, 14> kCodes{{
      {"#NULL!", 2000},
      {"#DIV/0!", 2007},
      {"#VALUE!", 2015},
      {"#REF!", 2023},
      {"#NAME?", 2029},
      {"#NUM!", 2036},
      {"#N/A", 2042},
      {"#GETTING_DATA", 2043},
      {"#SPILL!", 2045},
      {"#CONNECT!", 2046},
      {"#BLOCKED!", 2047},
      {"#UNKNOWN!", 2048},
      {"#FIELD!", 2049},
      {"#CALC!", 2050},
  }};
  for (const auto& [name, number] : kCodes)
    if (name == stored) return "Error " + std::to_string(number);
  return "Error " + std::string(stored);
}

namespace {

bool readNumber(std::string_view& text, std::size_t digits, int& value) {
  if (text.size() < digits) return false;
  auto [end, ec] = std::from_chars(text.data(), text.data() + digits, value);
  if (ec != std::errc() || end != text.data() + digits) return false;
  text.remove_prefix(digits);
  return true;
}

bool expect(std::string_view& text, char ch) {
  if (text.empty() || text.front() != ch) return false;
  text.remove_prefix(1);
  return true;
}

}  // namespace

namespace {

// "hh:mm[:ss[.fff]]" as seconds of the day, rounded half up; nothing when malformed.
std::optional<long> readIsoTime(std::string_view& rest) {
  int hour = 0, minute = 0, second = 0;
  if (!readNumber(rest, 2, hour) || !expect(rest, ':') || !readNumber(rest, 2, minute))
    return std::nullopt;
  if (expect(rest, ':') && !readNumber(rest, 2, second)) return std::nullopt;
  double fraction = 0;
  if (!rest.empty() && (rest.front() == '.' || rest.front() == ',')) {
    rest.remove_prefix(1);
    double scale = 0.1;
    while (!rest.empty() && rest.front() >= '0' && rest.front() <= '9') {
      fraction += (rest.front() - '0') * scale;
      scale /= 10;
      rest.remove_prefix(1);
    }
  }
  if (!rest.empty() && rest.front() == 'Z') rest.remove_prefix(1);
  if (hour > 24 || minute > 59 || second > 60) return std::nullopt;
  return long(std::floor(hour * 3600 + minute * 60 + second + fraction + 0.5));
}

bool isValidDay(int year, int month, int day) {
  if (month < 1 || month > 12 || day < 1) return false;
  return civilFromDays(daysFromCivil(year, month, day)).month == month;
}

}  // namespace

std::optional<std::string> isoDateText(std::string_view iso, CivilDate nullDate) {
  std::string_view rest = iso;
  const long nullDay = daysFromCivil(nullDate.year, nullDate.month, nullDate.day);
  long unixDay = nullDay;
  long seconds = 0;
  if (iso.size() > 2 && iso[2] == ':') {  // a time alone lies on the null date
    auto time = readIsoTime(rest);
    if (!time || !rest.empty()) return std::nullopt;
    seconds = *time;
  } else {
    int year, month, day;
    const bool negativeYear = expect(rest, '-');
    if (!readNumber(rest, 4, year) || !expect(rest, '-') || !readNumber(rest, 2, month) ||
        !expect(rest, '-') || !readNumber(rest, 2, day))
      return std::nullopt;
    if (negativeYear) year = -year;
    if (!isValidDay(year, month, day)) return std::nullopt;
    if (!rest.empty()) {
      if (!expect(rest, 'T')) return std::nullopt;
      auto time = readIsoTime(rest);
      if (!time || !rest.empty()) return std::nullopt;
      seconds = *time;
    }
    unixDay = daysFromCivil(year, month, day);
  }
  unixDay += seconds / 86400;
  seconds %= 86400;
  const long offset = unixDay - nullDay;
  if (offset < 0) return numberText(double(offset) + seconds / 86400.0);
  if (unixDay > kUnixDayOf9999_12_31) return std::nullopt;
  std::string out;
  appendDayAndTime(out, offset <= 1 ? 0 : offset, seconds, civilFromDays(unixDay));
  return out;
}

}  // namespace quill
