// Little-endian fields and UTF-16 text, as the binary readers take them from their records.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "base/byte_cursor.h"
#include "base/utf16.h"

namespace quill {
namespace {

struct RanShort {};

// A cursor whose reads past the end throw RanShort.
class TestCursor final : public ByteCursor {
 public:
  explicit TestCursor(const std::vector<std::uint8_t>& bytes) : ByteCursor(bytes) {}

 private:
  [[noreturn]] void ranShort() const override { throw RanShort{}; }
};

TEST(ByteCursor, ReadsLittleEndianFieldsInOrder) {
  const std::vector<std::uint8_t> bytes = {0x7F, 0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 0,
                                           0,    0,    0,    0,    0,    0xF0, 0xBF, 0xAA};
  TestCursor cursor(bytes);
  EXPECT_EQ(cursor.u8(), 0x7F);
  EXPECT_EQ(cursor.u16(), 0x1234);
  EXPECT_EQ(cursor.u32(), 0x12345678u);
  EXPECT_EQ(cursor.f64(), -1.0);
  EXPECT_EQ(cursor.position(), 15u);
  EXPECT_EQ(cursor.remaining(), 1u);
  EXPECT_FALSE(cursor.atEnd());
  EXPECT_EQ(cursor.bytes(1)[0], 0xAA);
  EXPECT_TRUE(cursor.atEnd());
}

// A read that wants more than is left fails and leaves the cursor where it was.
TEST(ByteCursor, AReadPastTheEndRunsShort) {
  const std::vector<std::uint8_t> bytes = {1, 2, 3};
  const struct {
    const char* what;
    void (*read)(TestCursor&);
  } reads[] = {
      {"u32", [](TestCursor& c) { c.u32(); }},
      {"f64", [](TestCursor& c) { c.f64(); }},
      {"skip", [](TestCursor& c) { c.skip(4); }},
      {"bytes", [](TestCursor& c) { c.bytes(4); }},
      {"huge skip", [](TestCursor& c) { c.skip(~std::size_t(0)); }},
  };
  for (const auto& r : reads) {
    TestCursor cursor(bytes);
    EXPECT_THROW(r.read(cursor), RanShort) << r.what;
    EXPECT_EQ(cursor.remaining(), 3u) << r.what;
  }
  TestCursor cursor(bytes);
  cursor.u16();
  EXPECT_THROW(cursor.u16(), RanShort);
  EXPECT_EQ(cursor.u8(), 3);
}

std::string utf16(const std::vector<std::uint16_t>& units) {
  std::vector<std::uint8_t> bytes;
  for (std::uint16_t unit : units) {
    bytes.push_back(std::uint8_t(unit & 0xFF));
    bytes.push_back(std::uint8_t(unit >> 8));
  }
  std::string out;
  appendUtf16LittleEndian(out, bytes.data(), units.size());
  return out;
}

TEST(Utf16Text, PairsMakeOneCharacterAndLoneHalvesTheReplacement) {
  const struct {
    const char* what;
    std::vector<std::uint16_t> units;
    std::string text;
  } cases[] = {
      {"plain", {'a', 0xE9, 0x263A}, "a\xC3\xA9\xE2\x98\xBA"},
      {"pair", {0xD83D, 0xDE00}, "\xF0\x9F\x98\x80"},
      {"highest pair", {0xDBFF, 0xDFFF}, "\xF4\x8F\xBF\xBF"},
      {"high then plain", {0xD800, 'x'}, "\xEF\xBF\xBDx"},
      {"two highs then low", {0xD800, 0xD83D, 0xDE00}, "\xEF\xBF\xBD\xF0\x9F\x98\x80"},
      {"lone low",
       {'a', 0xDC00, 'b'},
       "a\xEF\xBF\xBD"
       "b"},
      {"high at the end", {'a', 0xDBFF}, "a\xEF\xBF\xBD"},
      {"nothing", {}, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(utf16(c.units), c.text) << c.what;
}

// Units given one at a time, as text split across pieces arrives: a pair still joins.
TEST(Utf16Text, TheJoinerKeepsAHighHalfUntilItsPartnerComes) {
  Utf16Joiner joiner;
  std::string out;
  joiner.append(out, 0xD83D);
  EXPECT_TRUE(joiner.waiting());
  EXPECT_EQ(out, "");
  joiner.append(out, 0xDE00);
  EXPECT_FALSE(joiner.waiting());
  joiner.append(out, 0xD83D);
  joiner.finish(out);
  joiner.finish(out);
  EXPECT_EQ(out, "\xF0\x9F\x98\x80\xEF\xBF\xBD");
}

}  // namespace
}  // namespace quill
