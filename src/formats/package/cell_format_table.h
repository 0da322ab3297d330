#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "sheet/workbook_contents.h"

namespace quill {

// Numbers the distinct cell formats of a workbook into its formats table, so that the table
// holds each once; the workbook's default cell format is number 0, so that the many cells
// that have it can be left out.
class CellFormatTable {
 public:
  CellFormatTable(std::vector<CellFormat>& formats, const CellFormat& defaultFormat);

  // The number of format in the table, added when new.
  std::uint32_t numberOf(const CellFormat& format);

 private:
  static std::string keyOf(const CellFormat& format);

  std::vector<CellFormat>& formats_;
  std::map<std::string, std::uint32_t> numbers_;
};

// General, with no emphasis and no colours: the default format of a workbook that has none.
CellFormat plainFormat();

// Sorts cells row by row and, of cells given twice, keeps the one given last.
void sortFormattedCells(std::vector<FormattedCell>& cells);

// Sorts and joins a sheet's hidden rows and columns, merged areas and formatted cells in place,
// as the model keeps them.
void orderSheetLayout(SheetContents& contents);

// Puts a sheet's hidden rows and columns, merged areas and formatted cells into its contents,
// sorted and joined as the model keeps them.
void storeSheetLayout(SheetContents& contents, std::vector<LineSpan> hiddenRows,
                      std::vector<LineSpan> hiddenColumns, std::vector<Area> merged,
                      std::vector<FormattedCell> formats);

// A sheet's visibility as the binary formats store it: 0 visible, 1 hidden, 2 very hidden.
SheetVisibility binarySheetVisibility(unsigned state);

// Sorts names by their scope sheet, then by name.
void sortNames(std::vector<DefinedName>& names);

// Sorts notes row by row.
void sortNotes(std::vector<CellNote>& notes);

}  // namespace quill
