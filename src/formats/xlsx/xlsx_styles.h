#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "formats/package/zip_archive.h"

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

// Reads the number formats and cell formats of the styles part.
DateStyles readDateStyles(const ZipArchive& zip, std::string_view part);

}  // namespace quill::xlsx
