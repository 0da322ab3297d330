#include "sheet/plain_number.h"

#include <gtest/gtest.h>

#include <charconv>
#include <random>
#include <string>
#include <vector>

#include "sheet/cell_text.h"

namespace quill {
namespace {

TEST(PlainNumber, TellsTextsThatAreTheirOwnComparedText) {
  const std::vector<std::pair<const char*, bool>> cases = {
      {"0", true},
      {"42", true},
      {"-3504.518", true},
      {"123456789012345", true},    // 15 digits, exponent 14
      {"1234567890123456", false},  // exponent 15 writes 1.23456789012346E+15
      {"12345678.9012345", true},
      {"12345678.90123456", false},  // 16 significant digits are rounded
      {"0.00001", true},
      {"-0.000012345", true},
      {"0.000001", false},  // 1E-06
      {"0.000123456789012345", true},
      {"0.0001234567890123456", false},
      {"-0", false},  // gives "0"
      {"-0.0", false},
      {"0.0", false},
      {"1.50", false},  // trailing zero dropped
      {"1.", false},
      {".5", false},
      {"007", false},
      {"+7", false},
      {"1e5", false},
      {"1E+20", false},
      {" 1", false},
      {"1 ", false},
      {"", false},
      {"-", false},
      {"1.2.3", false},
      {"NaN", false},
  };
  for (const auto& [text, plain] : cases) EXPECT_EQ(isPlainNumberText(text), plain) << text;
}

// Every text taken as plain must be exactly what the full conversion of its value gives,
// and every plain-decimal text the full conversion gives must be taken as plain.
TEST(PlainNumber, AgreesWithTheFullConversion) {
  std::mt19937_64 random(12345);
  std::uniform_int_distribution<int> digitCount(1, 18);
  std::uniform_int_distribution<int> pointAt(-7, 18);
  std::uniform_int_distribution<int> digit(0, 9);
  for (int i = 0; i < 200000; ++i) {
    std::string text = random() % 2 ? "-" : "";
    const int digits = digitCount(random);
    const int point = pointAt(random);
    if (point <= 0) text += "0." + std::string(std::size_t(-point), '0');
    for (int d = 0; d < digits; ++d) {
      if (d == point && point > 0) text += '.';
      text += char('0' + digit(random));
    }
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    const std::string full = numberText(value);
    if (isPlainNumberText(text)) {
      EXPECT_EQ(full, text);
    }
    if (full.find('E') == std::string::npos) {
      EXPECT_TRUE(isPlainNumberText(full)) << full;
    }
  }
}

}  // namespace
}  // namespace quill
