// .ods time values: ISO 8601 durations read as days and given their text from the
// workbook's null date.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "formats/ods/duration_text.h"

namespace quill::ods {
namespace {

TEST(IsoDuration, DaysOfDurations) {
  const std::vector<std::pair<const char*, double>> cases = {
      {"PT36H", 1.5}, {"PT15H30M00S", 15.5 / 24}, {"P1DT12H", 1.5},       {"-PT12H", -0.5},
      {"P1W", 7},     {"PT0.5S", 0.5 / 86400},    {"PT90M", 90.0 / 1440},
  };
  for (const auto& [duration, days] : cases) {
    auto parsed = isoDurationDays(duration);
    ASSERT_TRUE(parsed.has_value()) << duration;
    EXPECT_DOUBLE_EQ(*parsed, days) << duration;
  }
  for (const char* bad : {"", "P", "PT", "15H", "PT15X", "P1M", "PT15", "T15H", "PTH"})
    EXPECT_FALSE(isoDurationDays(bad).has_value()) << bad;
}

TEST(OdsDuration, TheTextCountsFromTheNullDate) {
  const CivilDate usual, from1904{1904, 1, 1}, from1900{1900, 1, 1};
  const struct {
    const char* duration;
    CivilDate nullDate;
    const char* text;
  } cases[] = {
      {"PT36H", usual, "1900-01-01 12:00:00"},
      {"PT15H30M", usual, "15:30:00"},
      {"P70D", usual, "1900-03-10"},
      {"-PT12H", usual, "-0.5"},
      {"PT36H", from1904, "1904-01-02 12:00:00"},
      {"PT15H30M", from1904, "15:30:00"},
      {"PT23H59M59.6S", from1904, "1904-01-02"},
      {"P1D", from1904, "1904-01-02"},
      {"-PT12H", from1904, "-0.5"},
      {"PT36H", from1900, "1900-01-02 12:00:00"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.duration);
    const auto days = isoDurationDays(c.duration);
    ASSERT_TRUE(days.has_value());
    EXPECT_EQ(durationText(*days, c.nullDate), c.text);
  }
}

}  // namespace
}  // namespace quill::ods
