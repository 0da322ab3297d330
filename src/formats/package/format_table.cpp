#include "formats/package/format_table.h"

namespace quill {

FormatTable::FormatTable(std::vector<CellFormat>& formats, const CellFormat& defaultFormat)
    : formats_(formats) {
  formats_.clear();
  indexOf(defaultFormat);
}

std::uint32_t FormatTable::indexOf(const CellFormat& format) {
  Key key{format.numberFormat, format.bold,       format.italic,
          format.underline,    format.fontColour, format.fillColour};
  const auto [place, added] = indexes_.emplace(std::move(key), std::uint32_t(formats_.size()));
  if (added) formats_.push_back(format);
  return place->second;
}

}  // namespace quill
