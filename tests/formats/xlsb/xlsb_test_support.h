#pragma once

#include <bit>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "formats/ods/ods_test_support.h"

namespace quill::test {

// Little-endian field bytes for hand-built binary records.
inline std::string u16Bytes(std::uint16_t value) {
  return {char(value & 0xFF), char(value >> 8)};
}
inline std::string u32Bytes(std::uint32_t value) {
  return u16Bytes(std::uint16_t(value & 0xFFFF)) + u16Bytes(std::uint16_t(value >> 16));
}
inline std::string f64Bytes(double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  return u32Bytes(std::uint32_t(bits)) + u32Bytes(std::uint32_t(bits >> 32));
}
// A wide string of UTF-16 code units (ASCII text given as a string).
inline std::string wideBytes(const std::u16string& units) {
  std::string out = u32Bytes(std::uint32_t(units.size()));
  for (char16_t unit : units) out += u16Bytes(std::uint16_t(unit));
  return out;
}
inline std::string wideBytes(const std::string& ascii) {
  return wideBytes(std::u16string(ascii.begin(), ascii.end()));
}

// A record: its type in one or two bytes and its size in one to four, seven bits a byte.
inline std::string recordBytes(std::uint32_t type, const std::string& body) {
  std::string out;
  out.push_back(char((type & 0x7F) | (type >= 0x80 ? 0x80 : 0)));
  if (type >= 0x80) out.push_back(char((type >> 7) & 0x7F));
  std::size_t size = body.size();
  do {
    out.push_back(char((size & 0x7F) | (size >= 0x80 ? 0x80 : 0)));
    size >>= 7;
  } while (size != 0);
  return out + body;
}

// The start of a cell record's body: its 0-based column and its style index.
inline std::string cellBytes(std::uint32_t column, std::uint32_t style = 0) {
  return u32Bytes(column) + u32Bytes(style);
}
inline std::string rowRecord(std::uint32_t row) {
  return recordBytes(0, u32Bytes(row) + std::string(21, '\0'));
}

// One sheet of a hand-built binary workbook: its name, relationship type and part content.
struct XlsbSheet {
  std::string name;
  std::string records;  // the worksheet part's records, between begin and end sheet data
  std::string kind = "worksheet";
};

// A hand-built binary workbook; empty parts are left out of the package.
struct XlsbBook {
  std::vector<XlsbSheet> sheets;
  bool date1904 = false;
  std::string sharedStrings;  // records of the shared-strings part
  std::string styles;         // records of the styles part
  std::string externals;      // workbook part records after the sheet list (sheet index)
};

inline std::string sharedStringItem(const std::string& text) {
  return recordBytes(19, std::string(1, '\0') + wideBytes(text));
}

inline void writeXlsb(const std::filesystem::path& path, const XlsbBook& book) {
  const std::string relationshipType =
      "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
  std::string workbook =
      recordBytes(131, "") +
      recordBytes(153, u32Bytes(book.date1904 ? 1 : 0) + u32Bytes(0) + wideBytes("")) +
      recordBytes(143, "");
  std::string relationships =
      R"(<?xml version="1.0"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)";
  std::vector<ZipPart> parts;
  for (std::size_t i = 0; i < book.sheets.size(); ++i) {
    const std::string id = "rId" + std::to_string(i + 1);
    const std::string target = "worksheets/sheet" + std::to_string(i + 1) + ".bin";
    workbook += recordBytes(156, u32Bytes(0) + u32Bytes(std::uint32_t(i + 1)) + wideBytes(id) +
                                     wideBytes(book.sheets[i].name));
    relationships += "<Relationship Id=\"" + id + "\" Type=\"" + relationshipType +
                     book.sheets[i].kind + "\" Target=\"" + target + "\"/>";
    parts.push_back({"xl/" + target, recordBytes(129, "") + recordBytes(145, "") +
                                         book.sheets[i].records + recordBytes(146, "") +
                                         recordBytes(130, "")});
  }
  workbook += recordBytes(144, "") + book.externals + recordBytes(132, "");
  if (!book.sharedStrings.empty()) {
    relationships += "<Relationship Id=\"rIdS\" Type=\"" + relationshipType +
                     "sharedStrings\" Target=\"sharedStrings.bin\"/>";
    parts.push_back({"xl/sharedStrings.bin", recordBytes(159, u32Bytes(0) + u32Bytes(0)) +
                                                 book.sharedStrings + recordBytes(160, "")});
  }
  if (!book.styles.empty()) {
    relationships +=
        "<Relationship Id=\"rIdT\" Type=\"" + relationshipType + "styles\" Target=\"styles.bin\"/>";
    parts.push_back({"xl/styles.bin", recordBytes(278, "") + book.styles + recordBytes(279, "")});
  }
  parts.push_back({"xl/workbook.bin", workbook});
  parts.push_back({"xl/_rels/workbook.bin.rels", relationships + "</Relationships>"});
  parts.push_back(
      {"_rels/.rels",
       R"(<?xml version="1.0"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
       R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.bin"/></Relationships>)"});
  writeZip(path, parts);
}

}  // namespace quill::test
