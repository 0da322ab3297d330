#include "formats/ods/duration_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace quill::ods {

namespace {

bool expect(std::string_view& text, char ch) {
  if (text.empty() || text.front() != ch) return false;
  text.remove_prefix(1);
  return true;
}

bool isUsualNullDate(CivilDate date) {
  const CivilDate usual;
  return date.year == usual.year && date.month == usual.month && date.day == usual.day;
}

}  // namespace

std::optional<double> isoDurationDays(std::string_view duration) {
  std::string_view rest = duration;
  bool negative = expect(rest, '-');
  if (!expect(rest, 'P')) return std::nullopt;
  double days = 0;
  bool inTime = false, any = false;
  while (!rest.empty()) {
    if (expect(rest, 'T')) {
      inTime = true;
      continue;
    }
    double value = 0;
    const char* start = rest.data();
    auto [end, ec] = std::from_chars(start, start + rest.size(), value);
    if (ec != std::errc() || end == start || end == start + rest.size()) return std::nullopt;
    rest.remove_prefix(std::size_t(end - start));
    char unit = rest.front();
    rest.remove_prefix(1);
    any = true;
    if (!inTime && unit == 'D')
      days += value;
    else if (!inTime && unit == 'W')
      days += value * 7;
    else if (inTime && unit == 'H')
      days += value / 24;
    else if (inTime && unit == 'M')
      days += value / 1440;
    else if (inTime && unit == 'S')
      days += value / 86400;
    else
      return std::nullopt;
  }
  if (!any) return std::nullopt;
  return negative ? -days : days;
}

std::string durationText(double days, CivilDate nullDate) {
  if (isUsualNullDate(nullDate)) return dateOrNumberText(days, false);
  const double seconds = std::floor(days * 86400 + 0.5);
  if (!(seconds >= 0) || seconds > 4e11) return numberText(days);
  if (seconds < 86400) return dateOrNumberText(days, true);  // the time alone
  const auto whole = static_cast<long long>(seconds);
  const long day = daysFromCivil(nullDate.year, nullDate.month, nullDate.day) + long(whole / 86400);
  const long second = long(whole % 86400);
  const CivilDate date = civilFromDays(day);
  char iso[48];
  std::snprintf(iso, sizeof iso, "%04d-%02d-%02dT%02ld:%02ld:%02ld", date.year, date.month,
                date.day, second / 3600, second / 60 % 60, second % 60);
  // Counted from a null date long before, the text is the date and time as they stand.
  if (auto text = isoDateText(iso, CivilDate{1000, 1, 1})) return *std::move(text);
  return numberText(days);
}

}  // namespace quill::ods
