#pragma once

#include <cstdint>
#include <map>
#include <tuple>
#include <vector>

#include "sheet/workbook_contents.h"

namespace quill {

// Builds a workbook's table of cell formats without duplicates: the first format given is
// the default one at index 0, and each later one is looked up before it is added.
class FormatTable {
 public:
  FormatTable(std::vector<CellFormat>& formats, const CellFormat& defaultFormat);
  std::uint32_t indexOf(const CellFormat& format);

 private:
  using Key = std::tuple<std::string, bool, bool, bool, std::string, std::string>;
  std::vector<CellFormat>& formats_;
  std::map<Key, std::uint32_t> indexes_;
};

}  // namespace quill
