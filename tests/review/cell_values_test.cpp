// Cell texts read back as the values a new workbook stores: only the forms the cell-text
// rules print become numbers, dates and times; everything else stays a text.
#include "review/cell_values.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using quill::cellValue;
using quill::ValueType;

struct ValueCase {
  const char* text;
  ValueType type;
  double number;
};

class CellValues : public testing::TestWithParam<ValueCase> {};

TEST_P(CellValues, ReadsTheFormTheRulesPrint) {
  const quill::CellValue value = cellValue(GetParam().text);
  EXPECT_EQ(value.type, GetParam().type) << GetParam().text;
  if (value.type != ValueType::Text) {
    EXPECT_DOUBLE_EQ(value.number, GetParam().number);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CellValues,
    testing::Values(
        ValueCase{"12", ValueType::Number, 12}, ValueCase{"-2.5", ValueType::Number, -2.5},
        ValueCase{"0.00001", ValueType::Number, 0.00001},
        ValueCase{"1E+20", ValueType::Number, 1e20},
        ValueCase{"-1.5E-07", ValueType::Number, -1.5e-7}, ValueCase{"0", ValueType::Number, 0},
        // Texts that look like numbers but that no number prints as.
        ValueCase{"007", ValueType::Text, 0}, ValueCase{"1.50", ValueType::Text, 0},
        ValueCase{"+3", ValueType::Text, 0}, ValueCase{"1e5", ValueType::Text, 0},
        ValueCase{"1E5", ValueType::Text, 0}, ValueCase{"1.", ValueType::Text, 0},
        ValueCase{"-", ValueType::Text, 0}, ValueCase{"", ValueType::Text, 0},
        ValueCase{"1,5", ValueType::Text, 0}, ValueCase{"12 ", ValueType::Text, 0},
        ValueCase{"True", ValueType::Boolean, 1}, ValueCase{"False", ValueType::Boolean, 0},
        ValueCase{"true", ValueType::Text, 0},
        // The 1900 date system, its day that never was and the days around it.
        ValueCase{"1900-01-01", ValueType::Date, 1}, ValueCase{"1900-02-28", ValueType::Date, 59},
        ValueCase{"1900-02-29", ValueType::Date, 60}, ValueCase{"1900-03-01", ValueType::Date, 61},
        ValueCase{"2024-05-06", ValueType::Date, 45418},
        ValueCase{"2024-02-29", ValueType::Date, 45351},
        ValueCase{"2023-02-29", ValueType::Text, 0}, ValueCase{"2024-04-31", ValueType::Text, 0},
        ValueCase{"1899-12-31", ValueType::Text, 0}, ValueCase{"2024-13-01", ValueType::Text, 0},
        ValueCase{"06:00:00", ValueType::Time, 0.25}, ValueCase{"24:00:00", ValueType::Text, 0},
        ValueCase{"2024-05-06 12:00:00", ValueType::DateTime, 45418.5},
        ValueCase{"2024-05-06T12:00:00", ValueType::Text, 0},
        ValueCase{"2024-5-6", ValueType::Text, 0}));

}  // namespace
