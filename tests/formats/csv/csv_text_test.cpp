// How the CSV reader takes a file's bytes as text: UTF-16 by its byte-order mark,
// Windows-1252 for files that are not UTF-8, and the separator of the first lines.
#include <gtest/gtest.h>

#include <fstream>

#include "formats/csv/csv_encoding.h"
#include "formats/csv/csv_reader.h"
#include "formats/csv/separator_guess.h"
#include "formats/ods/ods_test_support.h"
#include "base/utf8.h"
#include "support/temporary_folder.h"

namespace quill {
namespace {

// The text as UTF-16 bytes with a byte-order mark; the text holds code points below 0x80 or
// is given as code points.
std::string utf16(const std::u32string& text, bool bigEndian) {
  std::string out;
  const auto unit = [&](std::uint16_t u) {
    const char high = char(u >> 8), low = char(u & 0xFF);
    out += bigEndian ? std::string{high, low} : std::string{low, high};
  };
  unit(0xFEFF);
  for (char32_t c : text) {
    if (c >= 0x10000) {
      unit(std::uint16_t(0xD800 + ((c - 0x10000) >> 10)));
      unit(std::uint16_t(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
      unit(std::uint16_t(c));
    }
  }
  return out;
}

std::string readListing(const std::string& bytes) {
  test::TemporaryFolder folder;
  const auto path = folder.path() / "S.csv";
  std::ofstream(path, std::ios::binary) << bytes;
  return test::cellListing(*readCsvWorkbook(path.string()));
}

TEST(CsvText, EachEncodingGivesTheSameCells) {
  const std::u32string text = U"Größe,€\r\n\U0001F600,\"x,y\"\r\n";
  const std::string cells = "S!A1=Größe\nS!B1=€\nS!A2=\U0001F600\nS!B2=x,y\n";
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"UTF-16 little-endian", utf16(text, false)},
      {"UTF-16 big-endian", utf16(text, true)},
      {"UTF-8", "Größe,€\r\n\U0001F600,\"x,y\"\r\n"},
      {"UTF-8 with its mark", "\xEF\xBB\xBFGröße,€\r\n\U0001F600,\"x,y\"\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(readListing(c.bytes), cells) << c.what;
  // Windows-1252 has no character outside the first plane.
  EXPECT_EQ(readListing("Gr\xF6\xDF"
                        "e,\x80\r\n\x93q\x94,\"x,y\"\r\n"),
            "S!A1=Größe\nS!B1=€\nS!A2=“q”\nS!B2=x,y\n");
}

TEST(CsvText, BrokenTextBecomesReplacementCharacters) {
  // A high half without its low half, then an odd byte at the end.
  const std::string lone =
      utf16(U"a", false) + std::string("\x3D\xD8", 2) + "b" + '\0' + "\n" + '\0' + "c" + '\0' + "d";
  EXPECT_EQ(readListing(lone),
            "S!A1=a\xEF\xBF\xBD"
            "b\nS!A2=c\xEF\xBF\xBD\n");
  // One byte that is no UTF-8 makes the whole file Windows-1252, even its valid UTF-8.
  EXPECT_EQ(readListing("é,\xE9\n"), "S!A1=Ã©\nS!B1=é\n");
  // UTF-8 cut off at the end of the file is not UTF-8.
  EXPECT_EQ(readListing("a,\xE2\x82"), "S!A1=a\nS!B1=â‚\n");
}

TEST(CsvText, Utf8CheckFollowsTheWellFormedSequences) {
  const struct {
    std::string bytes;
    bool valid;
  } cases[] = {
      {"plain", true},
      {"\xC3\xA9", true},
      {"\xF0\x9F\x98\x80", true},
      {"\xC0\xAF", false},
      {"\xE0\x80\xAF", false},
      {"\xED\xA0\x80", false},
      {"\xF4\x90\x80\x80", false},
      {"\x80", false},
      {"\xC3", false},
      {"\xF5\x80\x80\x80", false},
  };
  for (const auto& c : cases) {
    for (std::size_t block : {std::size_t(1), std::size_t(100)}) {
      Utf8Check check;
      for (std::size_t at = 0; at < c.bytes.size(); at += block)
        check.feed(std::string_view(c.bytes).substr(at, block));
      EXPECT_EQ(check.valid(), c.valid) << testing::PrintToString(c.bytes);
    }
  }
}

TEST(CsvText, TheSeparatorIsTheOneSteadyInTheFirstLines) {
  const struct {
    std::string text;
    char separator;
  } cases[] = {
      {"a,b,c\n1,2,3\n", ','},
      {"a;b;c\n1,5;2;3\n", ';'},
      {"a\tb\n1\t2\n", '\t'},
      {"\"x;y\",b\n1,2\n", ','},        // inside quotes it does not count
      {"a,b\nx;y,z\n", ','},            // semicolons not in every line
      {"1;2,5;3,7\n4;5,5;6,1\n", ','},  // a tie keeps the comma
      {"name\nvalue\n", ','},           // nothing to go by
      {"a;b;c", ';'},                   // one line without its end
      {"a;b\r\nc;d\r\ne", ';'},         // the cut last line is left out
  };
  for (const auto& c : cases)
    EXPECT_EQ(csv::guessSeparator(c.text), c.separator) << testing::PrintToString(c.text);
}

TEST(CsvText, SemicolonAndTabFilesSplitThere) {
  EXPECT_EQ(readListing("Name;Amount\r\nA;1,5\r\n"), "S!A1=Name\nS!B1=Amount\nS!A2=A\nS!B2=1,5\n");
  EXPECT_EQ(readListing(utf16(U"Name\tAmount\r\nA\t1.5\r\n", false)),
            "S!A1=Name\nS!B1=Amount\nS!A2=A\nS!B2=1.5\n");
  // A long file is split with the separator of its first lines to its end.
  std::string many;
  for (int row = 1; row <= 30000; ++row) many += std::to_string(row) + ";x\n";
  const std::string listing = readListing(many);
  EXPECT_NE(listing.find("S!A30000=30000\nS!B30000=x\n"), std::string::npos);
}

}  // namespace
}  // namespace quill
