#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/stored_workbook.h"
#include "formats/xls/compound_file.h"

namespace quill::xls::test {

// Little-endian record payloads, written field by field.
class Bytes {
 public:
  Bytes& u8(unsigned value);
  Bytes& u16(unsigned value);
  Bytes& u32(std::uint32_t value);
  Bytes& f64(double value);
  Bytes& raw(std::string_view bytes);
  // A BIFF8 string of one-byte characters: length (lengthBytes wide), option byte 0, text.
  Bytes& compressed(std::string_view latin1, int lengthBytes = 2);
  // UTF-16 code units without length or option byte.
  Bytes& utf16(std::u16string_view text);
  const std::string& str() const { return data_; }
  operator const std::string&() const { return data_; }

 private:
  std::string data_;
};

// One record: type, length, payload.
std::string record(std::uint16_t type, const std::string& payload);

// A sheet of a built workbook stream; type and visibility as its BOUNDSHEET gives them.
struct SheetSpec {
  std::string name;
  std::string records;  // between the sheet's BOF and EOF
  std::uint8_t type = 0;
  std::uint8_t visibility = 0;
  std::uint16_t bofType = 0x0010;
};

// A BIFF8 (or BIFF5) workbook stream: globals with the given records and one BOUNDSHEET
// per sheet, then each sheet's substream, its offset filled in.
std::string workbookStream(const std::string& globals, const std::vector<SheetSpec>& sheets,
                           bool biff5 = false);

// Cell records of BIFF5 and BIFF8 (0-based row and column, as stored).
std::string numberCell(unsigned row, unsigned column, unsigned xf, double value);
std::string rkCell(unsigned row, unsigned column, unsigned xf, std::uint32_t rk);
std::string sharedLabelCell(unsigned row, unsigned column, std::uint32_t index);
std::string formulaCell(unsigned row, unsigned column, const std::string& result8);

// Reads a built stream; throws WorkbookError as the reader does.
std::unique_ptr<StoredWorkbook> readStream(const std::string& bytes,
                                           StreamKind kind = StreamKind::Workbook,
                                           const std::string& bareName = "Bare");

// Every non-empty cell as "Sheet!A1=text" lines, sheets in tab order.
std::string listing(const StoredWorkbook& workbook);

}  // namespace quill::xls::test
