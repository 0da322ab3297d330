#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "formats/package/cell_format_table.h"
#include "formats/xls/book_state.h"
#include "formula/parsed_formula.h"
#include "sheet/workbook_contents.h"

namespace quill::xls {

// What the workbook globals of a BIFF5 or BIFF8 file say that a workbook's contents besides
// its cells need: fonts, number formats, cell styles (XF) and the palette, the defined names
// and the sheets in tab order. Made only when some contents are asked for.
class BookContents {
 public:
  BookContents(ContentsToRead wanted, const BookState& book, WorkbookContents& contents);

  const ContentsToRead& wanted() const { return wanted_; }
  // Reads a FONT, FORMAT, XF, PALETTE or NAME record of the globals; other records pass.
  void read(const Record& record);
  // Every sheet of a BOUNDSHEET record, of any kind, in tab order.
  void addSheet(const std::string& name) { sheetNames_.push_back(name); }
  // Decodes the defined names once the globals are read, their tables complete, and starts
  // the formats table with the default cell format.
  void finishGlobals(const FormulaNames& tables);
  // The number in the workbook's formats table of the format of cell style xf; 0 (the
  // default format) for a style the globals do not define.
  std::uint32_t formatOfStyle(std::uint16_t xf);

 private:
  struct Font {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::uint16_t colour = 0x7FFF;
  };
  struct Style {
    std::uint16_t font = 0;
    std::uint16_t numberFormat = 0;
    bool filled = false;
    std::uint8_t fillColour = 0;
  };
  struct StoredName {
    std::string name;
    std::uint16_t sheet = 0;  // 1-based tab position of its scope; 0 for the workbook
    std::vector<std::uint8_t> tokens;
    std::vector<std::uint8_t> extra;
  };

  void readFont(const Record& record);
  void readFormat(const Record& record);
  void readStyle(const Record& record);
  void readPalette(const Record& record);
  void readName(const Record& record);
  CellFormat formatOf(const Style& style) const;

  ContentsToRead wanted_;
  const BookState& book_;
  WorkbookContents& contents_;
  std::optional<CellFormatTable> formatTable_;  // made once the globals are read
  std::vector<Font> fonts_;
  std::unordered_map<std::uint16_t, std::string> numberFormats_;
  std::vector<Style> styles_;
  std::vector<std::optional<std::uint32_t>> styleFormats_;  // resolved as cells use them
  std::vector<std::uint32_t> palette_;
  std::vector<StoredName> names_;
  std::vector<std::string> sheetNames_;
  std::string scratch_;
};

}  // namespace quill::xls
