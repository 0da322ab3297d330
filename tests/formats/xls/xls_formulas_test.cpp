#include <gtest/gtest.h>

#include "sheet/address.h"
#include "formats/xls/byte_source.h"
#include "formats/xls/xls_reader.h"
#include "formats/xls/xls_test_support.h"

namespace quill::xls {
namespace {

using test::Bytes;
using test::record;

constexpr unsigned kRelative = 0xC000;

// A FORMULA record with a number result and the given tokens and extra data.
std::string formula(unsigned row, unsigned column, const std::string& tokens,
                    const std::string& extra = "") {
  return record(0x0006, Bytes()
                            .u16(row)
                            .u16(column)
                            .u16(0)
                            .f64(1)
                            .u16(0)
                            .u32(0)
                            .u16(unsigned(tokens.size()))
                            .raw(tokens)
                            .raw(extra));
}

std::string pointer(unsigned row, unsigned column) {
  return Bytes().u8(0x01).u16(row).u16(column);
}

// A SHRFMLA (shared) or ARRAY record over rows of one column.
std::string group(std::uint16_t type, unsigned firstRow, unsigned lastRow, unsigned column,
                  const std::string& tokens) {
  Bytes body;
  body.u16(firstRow).u16(lastRow).u8(column).u8(column);
  if (type == 0x0221)
    body.u16(0).u32(0);
  else
    body.u8(0).u8(unsigned(lastRow - firstRow + 1));
  return record(type, body.u16(unsigned(tokens.size())).raw(tokens));
}

std::string listFormulas(const std::string& stream, bool formulas) {
  MemorySource source(stream);
  ReadOptions options;
  options.formulas = formulas;
  const auto workbook = readXlsStream(source, StreamKind::Workbook, "Bare", options);
  std::string listing;
  for (std::size_t i = 1; i <= workbook->sheetCount(); ++i) {
    const StoredSheet& sheet = workbook->storedSheet(i);
    sheet.formulas().forEach([&](long row, long column, std::string_view text) {
      listing += sheet.name() + "!" + cellAddress(row, column) + " " + std::string(text) + "\n";
    });
  }
  return listing;
}

TEST(XlsFormulas, SharedArrayThreeDimensionalAndNamedFormulasAreReadWhenAskedFor) {
  // The sheet index: this workbook (SUPBOOK), an add-in book with IFERROR, and two entries.
  const std::string globals =
      record(0x01AE, Bytes().u16(2).u16(0x0401)) + record(0x01AE, Bytes().u16(1).u16(0x3A01)) +
      record(0x0023, Bytes().u16(0).u32(0).u8(13).u8(0).raw("_xlfn.IFERROR")) +
      record(0x0017, Bytes().u16(2).u16(0).u16(1).u16(1).u16(1).u16(0).u16(0)) +
      record(0x0018, Bytes().u16(0).u8(0).u8(5).u16(0).u16(0).u16(0).u32(0).u8(0).raw("Total"));
  const std::string leftNeighbour = Bytes().u8(0x2C).u16(0).u16(0xFF | kRelative);
  const std::string area = Bytes().u8(0x25).u16(0).u16(1).u16(kRelative).u16(kRelative);
  const std::string otherSheet = Bytes().u8(0x3A).u16(0).u16(0).u16(0);
  const std::string iferror =
      Bytes().u8(0x39).u16(1).u16(1).u16(0).u8(0x23).u32(1).u8(0x1E).u16(0).u8(0x22).u8(3).u16(255);
  const std::string sheet = formula(0, 1, pointer(0, 1)) + group(0x04BC, 0, 1, 1, leftNeighbour) +
                            formula(1, 1, pointer(0, 1)) + formula(2, 2, pointer(2, 2)) +
                            group(0x0221, 2, 3, 2, area) + formula(3, 2, pointer(2, 2)) +
                            formula(4, 3, otherSheet) + formula(5, 3, iferror) +
                            formula(6, 3, Bytes().u8(0x1E).u16(1).u8(0x03));
  const std::string stream = test::workbookStream(globals, {{"Calc", sheet}, {"Other Sheet", ""}});
  EXPECT_EQ(listFormulas(stream, false), "");
  EXPECT_EQ(listFormulas(stream, true),
            "Calc!B1 =A1\nCalc!B2 =A2\nCalc!C3 {=A1:A2}\nCalc!C4 {=A1:A2}\n"
            "Calc!D5 ='Other Sheet'!$A$1\nCalc!D6 =IFERROR(Total,0)\n"
            "Calc!D7 [unreadable formula: an operator lacks its operands]\n");
}

TEST(XlsFormulas, OlderVersionsDecodeTheirNarrowerTokensAndMarkNamesAndSheets) {
  // BIFF5: rows carry the relative marks, columns are one byte, strings are 8-bit.
  const std::string cellAndText =
      Bytes().u8(0x24).u16(2 | kRelative).u8(1).u8(0x17).u8(1).u8(0xE9).u8(0x08);
  const std::string upLeft = Bytes().u8(0x2C).u16(0x3FFF | kRelative).u8(0xFF);
  const std::string name = Bytes().u8(0x23).u16(1).raw(std::string(12, '\0'));
  const std::string otherSheet =
      Bytes().u8(0x3A).u16(0xFFFF).raw(std::string(8, '\0')).u16(0).u16(0).u16(0).u8(0);
  const std::string sheet = formula(0, 0, cellAndText) + formula(1, 1, pointer(1, 1)) +
                            group(0x04BC, 1, 2, 1, upLeft) + formula(2, 1, pointer(1, 1)) +
                            formula(3, 0, name) + formula(4, 0, otherSheet);
  const std::string stream = test::workbookStream("", {{"Old", sheet}}, true);
  EXPECT_EQ(listFormulas(stream, true),
            "Old!A1 =B3&\"\xC3\xA9\"\nOld!B2 =A1\nOld!B3 =A2\n"
            "Old!A4 [unreadable formula: a defined name of a version before BIFF8]\n"
            "Old!A5 =Old!$A$1\n");
}

}  // namespace
}  // namespace quill::xls
