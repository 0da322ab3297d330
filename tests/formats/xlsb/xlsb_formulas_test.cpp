#include <gtest/gtest.h>

#include "formats/workbook_file.h"
#include "formats/xlsb/xlsb_test_support.h"
#include "support/temporary_folder.h"

namespace quill {
namespace {

namespace fs = std::filesystem;
using test::recordBytes;
using test::u16Bytes;
using test::u32Bytes;

constexpr std::uint16_t kRelative = 0xC000;

// A formula number cell: its value, then the formula's tokens and extra data.
std::string formulaCell(std::uint32_t column, const std::string& tokens,
                        const std::string& extra = "") {
  return recordBytes(9, test::cellBytes(column) + test::f64Bytes(1) + u16Bytes(0) +
                            u32Bytes(std::uint32_t(tokens.size())) + tokens +
                            u32Bytes(std::uint32_t(extra.size())) + extra);
}

std::string pointerAt(std::uint32_t row, std::uint32_t column, std::uint32_t cellColumn) {
  return formulaCell(cellColumn, "\x01" + u32Bytes(row), u32Bytes(column));
}

// A shared (427) or array (426) formula record over an area, with its tokens.
std::string groupRecord(std::uint32_t type, std::uint32_t firstRow, std::uint32_t lastRow,
                        std::uint32_t column, const std::string& tokens) {
  return recordBytes(type, u32Bytes(firstRow) + u32Bytes(lastRow) + u32Bytes(column) +
                               u32Bytes(column) + (type == 426 ? std::string(1, '\0') : "") +
                               u32Bytes(std::uint32_t(tokens.size())) + tokens + u32Bytes(0));
}

std::string listFormulas(const fs::path& path, bool formulas) {
  ReadOptions options;
  options.formulas = formulas;
  const auto workbook = readWorkbookFile(path.string(), options);
  std::string listing;
  workbook->storedSheet(1).formulas().forEach([&](long row, long column, std::string_view formula) {
    listing += cellAddress(row, column) + " " + std::string(formula) + "\n";
  });
  return listing;
}

TEST(XlsbFormulas, CellSharedArrayAndOtherSheetFormulasAreReadWhenAskedFor) {
  test::XlsbBook book;
  // One workbook reference (this one) and a sheet index entry for the second sheet.
  book.externals = recordBytes(353, "") + recordBytes(357, "") +
                   recordBytes(362, u32Bytes(1) + u32Bytes(0) + u32Bytes(1) + u32Bytes(1)) +
                   recordBytes(354, "");
  const std::string refB1 = "\x24" + u32Bytes(0) + u16Bytes(1 | kRelative);
  const std::string leftNeighbour = "\x2C" + u32Bytes(0) + u16Bytes(0x3FFF | kRelative);
  const std::string areaA1A2 =
      "\x25" + u32Bytes(0) + u32Bytes(1) + u16Bytes(kRelative) + u16Bytes(kRelative);
  const std::string otherSheet = "\x3A" + u16Bytes(0) + u32Bytes(0) + u16Bytes(0);
  book.sheets.push_back({"Calc", test::rowRecord(0) + formulaCell(0, refB1) + test::rowRecord(1) +
                                     pointerAt(1, 1, 1) + groupRecord(427, 1, 2, 1, leftNeighbour) +
                                     test::rowRecord(2) + pointerAt(1, 1, 1) + test::rowRecord(3) +
                                     pointerAt(3, 2, 2) + groupRecord(426, 3, 4, 2, areaA1A2) +
                                     test::rowRecord(5) + formulaCell(3, otherSheet)});
  book.sheets.push_back({"Other Sheet", ""});
  test::TemporaryFolder folder;
  const fs::path path = folder.path() / "formulas.xlsb";
  test::writeXlsb(path, book);
  EXPECT_EQ(listFormulas(path, false), "");
  EXPECT_EQ(listFormulas(path, true),
            "A1 =B1\nB2 =A2\nB3 =A3\nC4 {=A1:A2}\nC5 {=A1:A2}\nD6 ='Other Sheet'!$A$1\n");
}

TEST(XlsbFormulas, HostileArrayRangesFailInOneLine) {
  test::XlsbBook book;
  const std::string one = "\x1E" + u16Bytes(1);
  book.sheets.push_back({"Calc", test::rowRecord(0) + pointerAt(0, 0, 0) +
                                     groupRecord(426, 0, 1048575, 0, one) + test::rowRecord(1) +
                                     pointerAt(0, 0, 0) +
                                     groupRecord(426, 0, 0xFFFFFFF0u, 0, one)});
  test::TemporaryFolder folder;
  const fs::path path = folder.path() / "hostile.xlsb";
  test::writeXlsb(path, book);
  try {
    listFormulas(path, true);
    FAIL() << "a hostile array range was accepted";
  } catch (const WorkbookError& error) {
    EXPECT_NE(std::string(error.what()).find("array formula"), std::string::npos) << error.what();
  }
}

}  // namespace
}  // namespace quill
