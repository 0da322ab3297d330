#include "formats/xls/codepage.h"

#include <iconv.h>

#include <cerrno>

#include "base/byte_cursor.h"
#include "base/utf8.h"

namespace quill::xls {

namespace {

constexpr std::array<std::uint16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::array<std::uint32_t, 256> latin1Table() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t i = 0; i < 256; ++i) table[i] = i;
  return table;
}

std::array<std::uint32_t, 256> windows1252Table() {
  std::array<std::uint32_t, 256> table = latin1Table();
  for (std::size_t i = 0; i < kWindows1252High.size(); ++i) table[0x80 + i] = kWindows1252High[i];
  return table;
}

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

}  // namespace

std::string iconvName(int codepage) {
  switch (codepage) {
    case 1200:
    case 1201:
      return "";
    case 10000:
    case 32768:
      return "MACINTOSH";
    case 65001:
      return "UTF-8";
    case 1361:
      return "JOHAB";
    default:
      return "CP" + std::to_string(codepage);
  }
}

Codepage::Codepage(int number) {
  select(number);
}

Codepage::~Codepage() {
  closeConverter();
}

void Codepage::closeConverter() {
  if (converter_ != nullptr) iconv_close(static_cast<iconv_t>(converter_));
  converter_ = nullptr;
}

void Codepage::useTable(const std::array<std::uint32_t, 256>& table) {
  closeConverter();
  table_ = table;
}

void Codepage::select(int number) {
  number_ = number;
  // 367 and 20127 are ASCII and 28591 Latin-1; 32769 is Windows-1252 under another number.
  if (number == 367 || number == 20127 || number == 28591) return useTable(latin1Table());
  const std::string name = iconvName(number);
  if (number == 1252 || number == 32769 || name.empty()) return useTable(windows1252Table());
  iconv_t toUtf32 = iconv_open("UTF-32LE", name.c_str());
  if (toUtf32 == kNoConverter) return useTable(windows1252Table());
  const bool singleByte = tabulate(toUtf32);
  iconv_close(toUtf32);
  if (singleByte) return;
  iconv_t toUtf8 = iconv_open("UTF-8", name.c_str());
  if (toUtf8 == kNoConverter) return useTable(windows1252Table());
  closeConverter();
  converter_ = toUtf8;
}

bool Codepage::tabulate(void* handle) {
  iconv_t converter = static_cast<iconv_t>(handle);
  std::array<std::uint32_t, 256> table{};
  for (unsigned byte = 0; byte < 256; ++byte) {
    char in = char(byte);
    std::uint8_t out[8];
    char* inPointer = &in;
    char* outPointer = reinterpret_cast<char*>(out);
    std::size_t inLeft = 1, outLeft = sizeof out;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    if (iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft) == std::size_t(-1)) {
      if (errno == EINVAL) return false;  // a lead byte: the page has multi-byte characters
      table[byte] = 0xFFFD;
      continue;
    }
    table[byte] = outLeft == 4 ? littleEndian32(out) : 0xFFFD;  // one UTF-32LE character
  }
  useTable(table);
  return true;
}

void Codepage::append(std::string& out, const std::uint8_t* bytes, std::size_t count) const {
  if (converter_ != nullptr) return appendThroughIconv(out, bytes, count);
  for (std::size_t i = 0; i < count; ++i) {
    if (bytes[i] < 0x80)
      out.push_back(char(bytes[i]));
    else
      appendUtf8(out, table_[bytes[i]]);
  }
}

void Codepage::appendThroughIconv(std::string& out, const std::uint8_t* bytes,
                                  std::size_t count) const {
  iconv_t converter = static_cast<iconv_t>(converter_);
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(reinterpret_cast<const char*>(bytes));
  std::size_t inLeft = count;
  char buffer[256];
  while (inLeft > 0) {
    char* outPointer = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t result = iconv(converter, &in, &inLeft, &outPointer, &outLeft);
    out.append(buffer, std::size_t(outPointer - buffer));
    if (result != std::size_t(-1) || errno == E2BIG) continue;
    // A byte sequence the page does not define, or one cut off at the end of the string.
    appendUtf8(out, 0xFFFD);
    if (errno == EINVAL) break;
    ++in;
    --inLeft;
  }
}

}  // namespace quill::xls
