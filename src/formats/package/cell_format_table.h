#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "sheet/workbook_contents.h"

namespace quill {

// Numbers the distinct cell formats of a workbook into its formats table, so that the table
// holds each once; the default format (General, no emphasis, no colours) is number 0.
class CellFormatTable {
 public:
  explicit CellFormatTable(std::vector<CellFormat>& formats);

  // The number of format in the table, added when new.
  std::uint32_t numberOf(const CellFormat& format);

 private:
  static std::string keyOf(const CellFormat& format);

  std::vector<CellFormat>& formats_;
  std::map<std::string, std::uint32_t> numbers_;
};

// Sorts cells row by row and, of cells given twice, keeps the one given last.
void sortFormattedCells(std::vector<FormattedCell>& cells);

// Sorts spans and joins those that overlap or touch.
void joinSpans(std::vector<LineSpan>& spans);

// Sorts names by their scope sheet, then by name.
void sortNames(std::vector<DefinedName>& names);

}  // namespace quill
