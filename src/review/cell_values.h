#pragma once

#include <string_view>

namespace quill {

// What a compared cell text stands for when it is written into a new workbook.
enum class ValueType : char { Text, Number, Boolean, Date, DateTime, Time };

// A cell's value: its type and, for numbers, dates and times, the number a workbook stores
// (dates and times as serials of the 1900 date system), for booleans 1 or 0.
struct CellValue {
  ValueType type = ValueType::Text;
  double number = 0;
};

// The value a cell text stands for, read back from the texts cells print: a number as the
// number rules write it ("-2.5", "1E+20"), "True" and "False", a date "yyyy-mm-dd" from
// 1900-01-01 on, a time "hh:mm:ss" or both "yyyy-mm-dd hh:mm:ss"; any other text is a text.
CellValue cellValue(std::string_view text);

}  // namespace quill
