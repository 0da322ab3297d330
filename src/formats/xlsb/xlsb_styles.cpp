#include "formats/xlsb/xlsb_styles.h"

#include <charconv>
#include <string>
#include <unordered_map>

#include "formats/package/cell_format_table.h"
#include "formats/package/colour_text.h"
#include "formats/package/number_format_codes.h"
#include "formats/xlsb/xlsb_records.h"
#include "sheet/cell_text.h"

namespace quill::xlsb {

namespace {

constexpr std::uint16_t kBoldWeight = 700;
constexpr std::size_t kMaxPalette = 64;  // indexes 0 to 63

// A colour as stored: its text, or the palette index to look up once the whole part is read,
// since a custom palette follows the fonts and fills.
struct Colour {
  std::string text;
  long paletteIndex = -1;
};

// A BrtColor: its kind (automatic, indexed, RGB, theme), index, tint and RGB bytes.
Colour colourOf(FieldCursor& cursor) {
  const std::uint8_t kind = cursor.u8() >> 1;
  const std::uint8_t index = cursor.u8();
  const auto tint = std::int16_t(cursor.u16());
  const std::uint8_t red = cursor.u8();
  const std::uint8_t green = cursor.u8();
  const std::uint8_t blue = cursor.u8();
  cursor.skip(1);  // alpha
  switch (kind) {
    case 1:
      return {{}, index};
    case 2:
      return {rgbColour(red, green, blue)};
    case 3:
      return {themeColourText(index, tint / 32767.0)};
    default:  // automatic
      return {};
  }
}

// Collects fonts, fills, number formats, the palette and cell formats of the styles part.
class StyleRecords {
 public:
  explicit StyleRecords(std::string errorPrefix) : errorPrefix_(std::move(errorPrefix)) {}

  void take(const Record& record);
  std::vector<std::uint32_t> numbered(std::vector<CellFormat>& formats) const;
  std::vector<bool> dateStyles() const;

 private:
  std::string colourText(const Colour& colour) const;

  struct Font {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    Colour colour;
  };
  struct CellStyle {
    std::uint16_t numberFormat = 0;
    std::uint16_t font = 0;
    std::uint16_t fill = 0;
  };

  std::string errorPrefix_;
  std::unordered_map<std::uint16_t, std::string> numberFormats_;
  std::vector<Font> fonts_;
  std::vector<Colour> fills_;  // the fill colour of each fill, empty for none
  std::vector<CellStyle> cellStyles_;
  std::vector<std::string> palette_;  // a custom palette, empty for the standard one
  bool inCellFormats_ = false;
};

void StyleRecords::take(const Record& record) {
  switch (record.type) {
    case record::kBeginCellFormats:
      inCellFormats_ = true;
      return;
    case record::kEndCellFormats:
      inCellFormats_ = false;
      return;
    default:
      break;
  }
  if (record.type != record::kNumberFormat && record.type != record::kFont &&
      record.type != record::kFill && record.type != record::kIndexedColour &&
      !(record.type == record::kCellFormat && inCellFormats_))
    return;
  FieldCursor cursor(record, errorPrefix_);
  if (record.type == record::kIndexedColour) {
    if (palette_.size() >= kMaxPalette) return;  // more than a palette holds: the rest unused
    const std::uint8_t red = cursor.u8();
    const std::uint8_t green = cursor.u8();
    palette_.push_back(rgbColour(red, green, cursor.u8()));
  } else if (record.type == record::kNumberFormat) {
    const std::uint16_t id = cursor.u16();
    cursor.appendWideString(numberFormats_[id]);
  } else if (record.type == record::kFont) {
    Font font;
    cursor.skip(2);  // height
    font.italic = (cursor.u16() & 0x0002) != 0;
    font.bold = cursor.u16() >= kBoldWeight;
    cursor.skip(2);  // superscript or subscript
    font.underline = cursor.u8() != 0;
    cursor.skip(3);  // family, character set, unused
    font.colour = colourOf(cursor);
    fonts_.push_back(std::move(font));
  } else if (record.type == record::kFill) {
    const bool filled = cursor.u32() != 0;
    Colour colour = colourOf(cursor);
    fills_.push_back(filled ? std::move(colour) : Colour());
  } else {
    CellStyle style;
    cursor.skip(2);  // the parent style
    style.numberFormat = cursor.u16();
    style.font = cursor.u16();
    style.fill = cursor.u16();
    cellStyles_.push_back(style);
  }
}

std::string StyleRecords::colourText(const Colour& colour) const {
  if (colour.paletteIndex < 0) return colour.text;
  return listedColour(std::uint32_t(colour.paletteIndex), palette_);
}

std::vector<std::uint32_t> StyleRecords::numbered(std::vector<CellFormat>& formats) const {
  std::vector<CellFormat> described;
  described.reserve(cellStyles_.size());
  for (const CellStyle& style : cellStyles_) {
    CellFormat format;
    const auto defined = numberFormats_.find(style.numberFormat);
    format.numberFormat = defined != numberFormats_.end()
                              ? defined->second
                              : std::string(builtinNumberFormat(style.numberFormat));
    if (format.numberFormat.empty()) format.numberFormat = "General";
    if (style.font < fonts_.size()) {
      const Font& font = fonts_[style.font];
      format.bold = font.bold;
      format.italic = font.italic;
      format.underline = font.underline;
      format.fontColour = colourText(font.colour);
    }
    if (style.fill < fills_.size()) format.fillColour = colourText(fills_[style.fill]);
    described.push_back(std::move(format));
  }
  // The first cell format is that of cells with no other.
  CellFormatTable table(formats, described.empty() ? plainFormat() : described.front());
  std::vector<std::uint32_t> numbers;
  numbers.reserve(described.size());
  for (const CellFormat& format : described) numbers.push_back(table.numberOf(format));
  return numbers;
}

// A cell format shows dates when its number format is a date format: a defined one judged by
// its code, any other by its built-in id.
std::vector<bool> StyleRecords::dateStyles() const {
  std::vector<bool> isDate;
  isDate.reserve(cellStyles_.size());
  for (const CellStyle& style : cellStyles_) {
    const auto defined = numberFormats_.find(style.numberFormat);
    isDate.push_back(defined != numberFormats_.end() ? isDateFormatCode(defined->second)
                                                     : isBuiltinDateFormat(style.numberFormat));
  }
  return isDate;
}

}  // namespace

xlsx::CellStyles readCellStyles(const ZipArchive& zip, std::string_view part,
                                std::vector<CellFormat>* formatsTable) {
  const std::string errorPrefix = partErrorPrefix(zip, part);
  StyleRecords styles(errorPrefix);
  readRecords(zip, part, errorPrefix, [&](const Record& record) { styles.take(record); });
  xlsx::CellStyles read{xlsx::DateStyles(styles.dateStyles()), {}};
  if (formatsTable != nullptr) read.formats = styles.numbered(*formatsTable);
  return read;
}

}  // namespace quill::xlsb
