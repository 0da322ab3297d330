#include "formats/xls/xls_test_support.h"

#include <bit>

#include "sheet/address.h"
#include "formats/xls/xls_reader.h"

namespace quill::xls::test {

Bytes& Bytes::u8(unsigned value) {
  data_.push_back(char(value & 0xFF));
  return *this;
}

Bytes& Bytes::u16(unsigned value) {
  return u8(value).u8(value >> 8);
}

Bytes& Bytes::u32(std::uint32_t value) {
  return u16(value & 0xFFFF).u16(value >> 16);
}

Bytes& Bytes::f64(double value) {
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
  return u32(std::uint32_t(bits)).u32(std::uint32_t(bits >> 32));
}

Bytes& Bytes::raw(std::string_view bytes) {
  data_.append(bytes);
  return *this;
}

Bytes& Bytes::compressed(std::string_view latin1, int lengthBytes) {
  if (lengthBytes == 1)
    u8(unsigned(latin1.size()));
  else
    u16(unsigned(latin1.size()));
  return u8(0).raw(latin1);
}

Bytes& Bytes::utf16(std::u16string_view text) {
  for (char16_t unit : text) u16(unit);
  return *this;
}

std::string record(std::uint16_t type, const std::string& payload) {
  return Bytes().u16(type).u16(unsigned(payload.size())).raw(payload).str();
}

std::string workbookStream(const std::string& globals, const std::vector<SheetSpec>& sheets,
                           bool biff5) {
  const unsigned version = biff5 ? 0x0500 : 0x0600;
  std::string stream = record(0x0809, Bytes().u16(version).u16(0x0005).u32(0));
  stream += globals;
  std::vector<std::size_t> offsetFields;
  for (const SheetSpec& sheet : sheets) {
    Bytes entry;
    entry.u32(0).u8(sheet.visibility).u8(sheet.type);
    if (biff5)
      entry.u8(unsigned(sheet.name.size())).raw(sheet.name);
    else
      entry.compressed(sheet.name, 1);
    offsetFields.push_back(stream.size() + 4);
    stream += record(0x0085, entry);
  }
  stream += record(0x000A, "");
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    const std::string offset = Bytes().u32(std::uint32_t(stream.size()));
    stream.replace(offsetFields[i], 4, offset);
    stream += record(0x0809, Bytes().u16(version).u16(sheets[i].bofType).u32(0));
    stream += sheets[i].records;
    stream += record(0x000A, "");
  }
  return stream;
}

std::string numberCell(unsigned row, unsigned column, unsigned xf, double value) {
  return record(0x0203, Bytes().u16(row).u16(column).u16(xf).f64(value));
}

std::string rkCell(unsigned row, unsigned column, unsigned xf, std::uint32_t rk) {
  return record(0x027E, Bytes().u16(row).u16(column).u16(xf).u32(rk));
}

std::string sharedLabelCell(unsigned row, unsigned column, std::uint32_t index) {
  return record(0x00FD, Bytes().u16(row).u16(column).u16(0).u32(index));
}

std::string formulaCell(unsigned row, unsigned column, const std::string& result8) {
  // The parsed formula that follows the result does not matter to the reader.
  return record(0x0006, Bytes().u16(row).u16(column).u16(0).raw(result8).u16(0).u32(0).u16(0));
}

std::unique_ptr<StoredWorkbook> readStream(const std::string& bytes, StreamKind kind,
                                           const std::string& bareName) {
  MemorySource source(bytes);
  return readXlsStream(source, kind, bareName);
}

std::string listing(const StoredWorkbook& workbook) {
  std::string out;
  for (std::size_t i = 1; i <= workbook.sheetCount(); ++i) {
    const StoredSheet& sheet = workbook.storedSheet(i);
    sheet.forEachCell([&](long row, long column, std::string_view text) {
      out += sheet.name() + "!" + cellAddress(row, column) + "=" + std::string(text) + "\n";
    });
  }
  return out;
}

}  // namespace quill::xls::test
