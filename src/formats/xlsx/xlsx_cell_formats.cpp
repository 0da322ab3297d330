#include "formats/xlsx/xlsx_cell_formats.h"

#include <charconv>
#include <cstdlib>

#include "formats/package/cell_format_table.h"
#include "formats/package/colour_text.h"
#include "formats/package/number_format_codes.h"

namespace quill::xlsx {

namespace {

long numberAttribute(const XmlAttributes& attributes, std::string_view name, long fallback) {
  const char* text = attributes.find(name);
  if (text == nullptr) return fallback;
  long value = fallback;
  std::from_chars(text, text + std::char_traits<char>::length(text), value);
  return value;
}

// A boolean property element such as <b/> or <b val="0"/>: set unless its val says no.
bool flagElement(const XmlAttributes& attributes) {
  const char* value = attributes.find("val");
  if (value == nullptr) return true;
  const std::string_view text(value);
  return !(text == "0" || text == "false");
}

// <u/> is a single underline; <u val="none"/> none.
bool underlineElement(const XmlAttributes& attributes) {
  const char* value = attributes.find("val");
  return value == nullptr || std::string_view(value) != "none";
}

// The collection an element of the styles part opens, or None for any other element.
CellFormatCollector::Section sectionOf(std::string_view name) {
  using Section = CellFormatCollector::Section;
  if (name == "numFmts") return Section::NumberFormats;
  if (name == "fonts") return Section::Fonts;
  if (name == "fills") return Section::Fills;
  if (name == "cellXfs") return Section::CellFormats;
  if (name == "colors") return Section::Colours;
  if (name == "cellStyleXfs" || name == "dxfs") return Section::Other;
  return Section::None;
}

}  // namespace

void CellFormatCollector::startElement(std::string_view name, const XmlAttributes& attributes) {
  if (const Section section = sectionOf(name); section != Section::None) {
    section_ = section;
  } else if (section_ == Section::NumberFormats && name == "numFmt") {
    const char* code = attributes.find("formatCode");
    numberFormats_[numberAttribute(attributes, "numFmtId", -1)] = code != nullptr ? code : "";
  } else if (section_ == Section::Fonts) {
    startFont(name, attributes);
  } else if (section_ == Section::Fills) {
    startFill(name, attributes);
  } else if (section_ == Section::CellFormats && name == "xf") {
    cellXfs_.push_back({numberAttribute(attributes, "numFmtId", 0),
                        numberAttribute(attributes, "fontId", 0),
                        numberAttribute(attributes, "fillId", 0)});
  } else if (section_ == Section::Colours && name == "rgbColor") {
    const char* rgb = attributes.find("rgb");
    palette_.push_back(rgbColourText(rgb != nullptr ? rgb : ""));
  }
}

void CellFormatCollector::startFont(std::string_view name, const XmlAttributes& attributes) {
  if (name == "font") {
    fonts_.emplace_back();
    inFont_ = true;
    return;
  }
  if (!inFont_) return;
  Font& font = fonts_.back();
  if (name == "b")
    font.bold = flagElement(attributes);
  else if (name == "i")
    font.italic = flagElement(attributes);
  else if (name == "u")
    font.underline = underlineElement(attributes);
  else if (name == "color")
    font.colour = colour(attributes);
}

void CellFormatCollector::startFill(std::string_view name, const XmlAttributes& attributes) {
  if (name == "fill") {
    fills_.emplace_back();
    inFill_ = true;
  } else if (inFill_ && name == "patternFill") {
    const char* pattern = attributes.find("patternType");
    fillPattern_ = pattern != nullptr ? pattern : "none";
  } else if (inFill_ && name == "fgColor" && fillPattern_ != "none") {
    fills_.back() = colour(attributes);
  }
}

void CellFormatCollector::endElement(std::string_view name) {
  if (sectionOf(name) != Section::None) section_ = Section::None;
  if (name == "font") inFont_ = false;
  if (name == "fill") {
    inFill_ = false;
    fillPattern_.clear();
  }
}

CellFormatCollector::Colour CellFormatCollector::colour(const XmlAttributes& attributes) {
  if (const char* rgb = attributes.find("rgb")) return {rgbColourText(rgb)};
  if (attributes.find("theme") != nullptr) {
    const char* tint = attributes.find("tint");
    return {themeColourText(numberAttribute(attributes, "theme", 0),
                            tint != nullptr ? std::strtod(tint, nullptr) : 0.0)};
  }
  return {{}, numberAttribute(attributes, "indexed", -1)};
}

std::string CellFormatCollector::colourText(const Colour& colour) const {
  const long index = colour.paletteIndex;
  if (index < 0) return colour.text;
  return listedColour(std::uint32_t(index), palette_);
}

CellFormat CellFormatCollector::formatOf(const Xf& xf) const {
  CellFormat format;
  const auto custom = numberFormats_.find(xf.numberFormat);
  if (custom != numberFormats_.end())
    format.numberFormat = custom->second;
  else
    format.numberFormat = builtinNumberFormat(xf.numberFormat);
  if (format.numberFormat.empty()) format.numberFormat = "General";
  if (xf.font >= 0 && std::size_t(xf.font) < fonts_.size()) {
    const Font& font = fonts_[std::size_t(xf.font)];
    format.bold = font.bold;
    format.italic = font.italic;
    format.underline = font.underline;
    format.fontColour = colourText(font.colour);
  }
  if (xf.fill >= 0 && std::size_t(xf.fill) < fills_.size())
    format.fillColour = colourText(fills_[std::size_t(xf.fill)]);
  return format;
}

std::vector<std::uint32_t> CellFormatCollector::cellFormats(std::vector<CellFormat>& table) const {
  table.clear();
  CellFormatTable formats(table, cellXfs_.empty() ? formatOf(Xf{}) : formatOf(cellXfs_.front()));
  std::vector<std::uint32_t> indexes;
  indexes.reserve(cellXfs_.size());
  for (const Xf& xf : cellXfs_) indexes.push_back(formats.numberOf(formatOf(xf)));
  return indexes;
}

}  // namespace quill::xlsx
