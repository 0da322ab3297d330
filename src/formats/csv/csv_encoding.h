#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/utf16.h"
#include "base/utf8.h"

namespace quill::csv {

// How the bytes of a CSV file stand for text.
enum class CsvEncoding { Utf8, Utf16LittleEndian, Utf16BigEndian, Windows1252 };

// Decides a file's encoding from all of its bytes, fed in blocks: a UTF-16 byte-order mark
// decides at once; otherwise the file is UTF-8 when all of it is well-formed UTF-8 (with or
// without its mark), and Windows-1252 when it is not, as most such files are.
class CsvEncodingProbe {
 public:
  void feed(std::string_view block);
  CsvEncoding encoding() const;

 private:
  std::string start_;  // the first two bytes
  Utf8Check utf8_;
};

// Turns blocks of a file's bytes in one encoding into UTF-8, also where a character is split
// between blocks; a UTF-16 byte-order mark is dropped, a UTF-8 one passed on as it is.
// Bytes that make no character give U+FFFD.
class CsvDecoder {
 public:
  explicit CsvDecoder(CsvEncoding encoding);
  ~CsvDecoder();
  CsvDecoder(const CsvDecoder&) = delete;
  CsvDecoder& operator=(const CsvDecoder&) = delete;

  void decode(std::string_view block, std::string& out);
  // Ends the text: a character left incomplete gives U+FFFD.
  void finish(std::string& out);

 private:
  void decodeUtf16(std::string_view block, std::string& out);

  CsvEncoding encoding_;
  void* windows1252_ = nullptr;  // an xls::Codepage, for Windows-1252 only
  bool atStart_ = true;
  int oddByte_ = -1;    // the first byte of a UTF-16 unit cut by a block's end
  Utf16Joiner joiner_;  // holds a high surrogate until its low half comes
};

}  // namespace quill::csv
