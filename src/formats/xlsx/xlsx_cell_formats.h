#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "formats/package/xml_stream.h"
#include "sheet/workbook_contents.h"

namespace quill::xlsx {

// Collects from the events of a styles part what shows in a cell: the number formats, the
// fonts, the fills, a custom palette, and which of them each cell format (cellXfs) uses.
class CellFormatCollector {
 public:
  // The collections of a styles part that matter here; Other stands for those that hold
  // fonts, fills or formats of their own (cell styles, differential formats).
  enum class Section { None, NumberFormats, Fonts, Fills, CellFormats, Colours, Other };

  void startElement(std::string_view name, const XmlAttributes& attributes);
  void endElement(std::string_view name);
  void characters(std::string_view) {}

  // Fills the workbook's formats table (the first cell format is the default) and gives the
  // index into it of each cell format, in cellXfs order.
  std::vector<std::uint32_t> cellFormats(std::vector<CellFormat>& table) const;
  // The most entries of any one kind collected so far, for the caller's limit.
  std::size_t entryCount() const {
    return std::max(
        {numberFormats_.size(), fonts_.size(), fills_.size(), cellXfs_.size(), palette_.size()});
  }

 private:
  // A colour as written: a palette index is resolved once the whole part is read, since
  // a custom palette comes after the fonts and fills.
  struct Colour {
    std::string text;
    long paletteIndex = -1;
  };
  struct Font {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    Colour colour;
  };
  struct Xf {
    long numberFormat = 0;
    long font = 0;
    long fill = 0;
  };

  void startFont(std::string_view name, const XmlAttributes& attributes);
  void startFill(std::string_view name, const XmlAttributes& attributes);
  static Colour colour(const XmlAttributes& attributes);
  std::string colourText(const Colour& colour) const;
  CellFormat formatOf(const Xf& xf) const;

  std::map<long, std::string> numberFormats_;
  std::vector<Font> fonts_;
  std::vector<Colour> fills_;
  std::vector<Xf> cellXfs_;
  std::vector<std::string> palette_;  // a custom palette, empty for the standard one
  std::string fillPattern_;
  Section section_ = Section::None;
  bool inFont_ = false;
  bool inFill_ = false;
};

}  // namespace quill::xlsx
