#include "formats/csv/csv_encoding.h"

#include "formats/xls/codepage.h"

namespace quill::csv {

namespace {

constexpr std::string_view kLittleEndianMark = "\xFF\xFE";
constexpr std::string_view kBigEndianMark = "\xFE\xFF";

xls::Codepage& codepageOf(void* page) {
  return *static_cast<xls::Codepage*>(page);
}

}  // namespace

void CsvEncodingProbe::feed(std::string_view block) {
  if (start_.size() < 2) start_.append(block.substr(0, 2 - start_.size()));
  utf8_.feed(block);
}

CsvEncoding CsvEncodingProbe::encoding() const {
  if (start_ == kLittleEndianMark) return CsvEncoding::Utf16LittleEndian;
  if (start_ == kBigEndianMark) return CsvEncoding::Utf16BigEndian;
  return utf8_.valid() ? CsvEncoding::Utf8 : CsvEncoding::Windows1252;
}

CsvDecoder::CsvDecoder(CsvEncoding encoding) : encoding_(encoding) {
  if (encoding_ == CsvEncoding::Windows1252) windows1252_ = new xls::Codepage(1252);
}

CsvDecoder::~CsvDecoder() {
  delete static_cast<xls::Codepage*>(windows1252_);
}

void CsvDecoder::decode(std::string_view block, std::string& out) {
  switch (encoding_) {
    case CsvEncoding::Utf8:
      out.append(block);
      break;
    case CsvEncoding::Windows1252:
      codepageOf(windows1252_)
          .append(out, reinterpret_cast<const std::uint8_t*>(block.data()), block.size());
      break;
    default:
      decodeUtf16(block, out);
  }
}

void CsvDecoder::decodeUtf16(std::string_view block, std::string& out) {
  const bool bigEndian = encoding_ == CsvEncoding::Utf16BigEndian;
  for (char ch : block) {
    if (oddByte_ < 0) {
      oddByte_ = std::uint8_t(ch);
      continue;
    }
    const auto first = std::uint16_t(oddByte_), second = std::uint16_t(std::uint8_t(ch));
    oddByte_ = -1;
    const std::uint16_t unit =
        bigEndian ? std::uint16_t(first << 8 | second) : std::uint16_t(second << 8 | first);
    if (atStart_) {
      atStart_ = false;
      if (unit == 0xFEFF) continue;
    }
    joiner_.append(out, unit);
  }
}

void CsvDecoder::finish(std::string& out) {
  // A high half and a byte after it make one incomplete character, one U+FFFD.
  if (oddByte_ >= 0 && !joiner_.waiting()) appendUtf8(out, 0xFFFD);
  joiner_.finish(out);
  oddByte_ = -1;
}

}  // namespace quill::csv
