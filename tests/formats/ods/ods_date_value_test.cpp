// Date values whose fields some writers save without zero padding.
#include <gtest/gtest.h>

#include "formats/ods/date_value.h"

namespace quill::ods {
namespace {

TEST(OdsDateValue, PadsOneDigitFieldsAndLeavesEverythingElse) {
  const struct {
    const char* value;
    const char* expected;
  } cases[] = {
      {"1904-1-1", "1904-01-01"},
      {"1904-01-01", "1904-01-01"},
      {"2024-3-5T9:5:0", "2024-03-05T09:05:00"},
      {"2024-03-05T9:05", "2024-03-05T09:05"},
      {"2024-3-5T09:05:07.25Z", "2024-03-05T09:05:07.25Z"},
      {"2024-3-5T9:5:7+01:00", "2024-03-05T09:05:07+01:00"},
      {"-0001-1-1", "-0001-01-01"},
      {"12024-1-1", "12024-01-01"},
      // Not the form of a date value: left for the date reader to refuse.
      {"904-1-1", "904-1-1"},
      {"1904-123-1", "1904-123-1"},
      {"1904-1", "1904-1"},
      {"1904-1-1T", "1904-1-1T"},
      {"1904-1-1T9", "1904-1-1T9"},
      {"1904--1", "1904--1"},
      {"soon", "soon"},
      {"", ""},
  };
  for (const auto& c : cases) {
    std::string buffer;
    EXPECT_EQ(paddedDateValue(c.value, buffer), c.expected) << c.value;
  }
}

}  // namespace
}  // namespace quill::ods
