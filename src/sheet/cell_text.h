#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quill {

// The conversions that turn a stored cell value into the text that is compared, shared by
// every reader so that the same value gives the same text in every file format. What only
// one format needs lives with its reader.

// Removes leading and trailing U+0020 blanks (only those).
std::string_view trimSpaces(std::string_view text);

// The text as a cell holds it: trimmed as trimSpaces does unless its leading and trailing
// spaces are kept.
inline std::string_view cellSpaces(std::string_view text, bool keepSpaces) {
  return keepSpaces ? text : trimSpaces(text);
}

// A number as text: 15 significant digits, plain decimals for exponents -5 to 14,
// otherwise "1.5E+20" form; -0 gives "0".
std::string numberText(double value);
void appendNumberText(std::string& out, double value);

// A date serial as "yyyy-mm-dd", "hh:mm:ss" or "yyyy-mm-dd hh:mm:ss"; nothing for a negative
// serial or one past 9999-12-31 23:59:59 (the caller writes it as a number instead).
std::optional<std::string> serialDateText(double serial, bool date1904);
// The same appended to out; false (and nothing appended) where serialDateText gives nothing.
bool appendSerialDateText(std::string& out, double serial, bool date1904);

// A date-formatted number: its date text, or its number text when it is no valid date.
std::string dateOrNumberText(double serial, bool date1904);
void appendDateOrNumberText(std::string& out, double serial, bool date1904);

// Whether a number format code shows a date or time.
bool isDateFormatCode(std::string_view code);
// Whether a built-in number format id (used when the file defines no format of that id)
// is a date or time format.
bool isBuiltinDateFormat(int id);

// The text of a stored error value: "#DIV/0!" gives "Error 2007"; an unknown one
// "Error " followed by the stored text.
std::string errorText(std::string_view stored);

// "True" or "False".
inline std::string_view booleanText(bool value) {
  return value ? "True" : "False";
}

// A date written as ISO 8601 ("2026-12-07", "2026-12-07T15:30:00", with fractions of a
// second, or a time alone, "15:30:00", on the null date) as the compared text; nullDate is
// the serial-0 day (1899-12-30 by default). Nothing when the text is no such date.
struct CivilDate {
  int year = 1899;
  int month = 12;
  int day = 30;
};
std::optional<std::string> isoDateText(std::string_view iso, CivilDate nullDate = {});
// Days since 1970-01-01 of a date, and back.
long daysFromCivil(int year, int month, int day);
CivilDate civilFromDays(long days);

}  // namespace quill
