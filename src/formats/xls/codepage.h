#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace quill::xls {

// Converts the 8-bit strings of BIFF2 to BIFF5 files from the workbook's code page to UTF-8.
// Windows-1252 and Latin-1 are built in; other single-byte pages are tabulated once through
// iconv, and multi-byte pages (Japanese, Chinese, Korean) go through iconv string by string.
class Codepage {
 public:
  explicit Codepage(int number = 1252);
  ~Codepage();
  Codepage(const Codepage&) = delete;
  Codepage& operator=(const Codepage&) = delete;

  // Replaces the page, as a CODEPAGE record does. A page that iconv does not know is read
  // as Windows-1252, the page such files are written in by far most often.
  void select(int number);
  void append(std::string& out, const std::uint8_t* bytes, std::size_t count) const;
  int number() const { return number_; }

 private:
  void useTable(const std::array<std::uint32_t, 256>& table);
  bool tabulate(void* converter);
  void appendThroughIconv(std::string& out, const std::uint8_t* bytes, std::size_t count) const;
  void closeConverter();

  int number_ = 1252;
  std::array<std::uint32_t, 256> table_{};
  void* converter_ = nullptr;  // an iconv_t to UTF-8, for multi-byte pages only
};

// The iconv name of a Windows code page number, or "" for one that is UTF-16.
std::string iconvName(int codepage);

}  // namespace quill::xls
