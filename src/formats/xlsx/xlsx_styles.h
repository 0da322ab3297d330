#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "formats/package/zip_archive.h"
#include "sheet/workbook_contents.h"

namespace quill::xlsx {

// Which cell style indexes (cellXfs) show their numbers as dates or times.
class DateStyles {
 public:
  DateStyles() = default;
  explicit DateStyles(std::vector<bool> isDate) : isDate_(std::move(isDate)) {}
  // An index the table does not have shows no date.
  bool isDate(std::size_t style) const { return style < isDate_.size() && isDate_[style]; }

 private:
  std::vector<bool> isDate_;
};

// What the styles part says about cells: which styles show dates and, when asked for, the
// index into the workbook's formats table of each cell style (cellXfs).
struct CellStyles {
  DateStyles dates;
  std::vector<std::uint32_t> formats;  // empty unless formats were asked for

  std::uint32_t formatOf(std::size_t style) const {
    return style < formats.size() ? formats[style] : 0;
  }
};

// Reads the number formats and cell formats of the styles part.
DateStyles readDateStyles(const ZipArchive& zip, std::string_view part);
// The same, and with a formats table the cell formats too, added to it without duplicates.
CellStyles readCellStyles(const ZipArchive& zip, std::string_view part,
                          std::vector<CellFormat>* formatsTable);

}  // namespace quill::xlsx
