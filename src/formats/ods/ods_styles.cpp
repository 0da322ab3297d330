#include "formats/ods/ods_styles.h"

#include "formats/package/colour_text.h"
#include "sheet/workbook.h"

namespace quill::ods {

namespace {

bool isNumberStyle(std::string_view name) {
  return name == "number-style" || name == "currency-style" || name == "percentage-style" ||
         name == "date-style" || name == "time-style" || name == "boolean-style" ||
         name == "text-style";
}

// "#ff0000" gives "FF0000"; "transparent" and anything else "".
std::string odfColour(const char* value) {
  if (value == nullptr || value[0] != '#') return {};
  return rgbColourText(value + 1);
}

}  // namespace

void OdsStyles::startElement(std::string_view name, const XmlAttributes& attributes) {
  if (numberDepth_ > 0) {
    ++numberDepth_;
    numberStyle_.startElement(name, attributes);
  } else if (name == "style") {
    startStyle(attributes);
  } else if (openCellStyle_ != nullptr || !openTableStyle_.empty()) {
    readProperties(name, attributes);
  } else if (isNumberStyle(name) && formatsTable_ != nullptr) {
    const char* styleName = attributes.find("name");
    openNumberStyle_ = styleName != nullptr ? styleName : "";
    numberStyle_.begin(name, attributes);
    numberDepth_ = 1;
  }
}

void OdsStyles::startStyle(const XmlAttributes& attributes) {
  const char* name = attributes.find("name");
  const char* family = attributes.find("family");
  if (name == nullptr || family == nullptr) return;
  if (cellStyles_.size() + hiddenTables_.size() >= kMaxStyles)
    throw WorkbookError("the document has more than " + std::to_string(kMaxStyles) + " styles");
  const std::string_view kind(family);
  if (kind == "table") {
    openTableStyle_ = name;
    hiddenTables_[openTableStyle_] = false;
  } else if (kind == "table-cell" && formatsTable_ != nullptr) {
    CellStyle& style = cellStyles_[name] = CellStyle{};
    if (const char* parent = attributes.find("parent-style-name")) style.parent = parent;
    if (const char* data = attributes.find("data-style-name")) style.dataStyle = data;
    openCellStyle_ = &style;
  }
}

void OdsStyles::readProperties(std::string_view name, const XmlAttributes& attributes) {
  if (!openTableStyle_.empty()) {
    const char* display = attributes.find("display");
    if (name == "table-properties" && display != nullptr && std::string_view(display) == "false")
      hiddenTables_[openTableStyle_] = true;
    return;
  }
  CellStyle& style = *openCellStyle_;
  if (name == "text-properties") {
    attributes.forEach([&](std::string_view key, const char* value) {
      const std::string_view text(value);
      if (key == "font-weight")
        style.bold = text == "bold" || (text.size() == 3 && text >= "600");
      else if (key == "font-style")
        style.italic = text == "italic" || text == "oblique";
      else if (key == "text-underline-style")
        style.underline = text != "none";
      else if (key == "color")
        style.fontColour = odfColour(value);
    });
  } else if (name == "table-cell-properties") {
    if (const char* background = attributes.find("background-color"))
      style.fillColour = odfColour(background);
  }
}

void OdsStyles::endElement(std::string_view name) {
  if (numberDepth_ > 0) {
    if (--numberDepth_ == 0)
      numberStyles_[openNumberStyle_] = {numberStyle_.code(), numberStyle_.mappedStyles()};
    else
      numberStyle_.endElement(name);
  } else if (name == "style") {
    openCellStyle_ = nullptr;
    openTableStyle_.clear();
  }
}

void OdsStyles::characters(std::string_view text) {
  if (numberDepth_ > 0) numberStyle_.characters(text);
}

bool OdsStyles::tableHidden(std::string_view style) const {
  const auto found = hiddenTables_.find(style);
  return found != hiddenTables_.end() && found->second;
}

std::string OdsStyles::numberFormat(const std::string& dataStyle, int depth) const {
  const auto found = numberStyles_.find(dataStyle);
  if (found == numberStyles_.end()) return "General";
  std::string code;
  // Conditional sections come first, the style's own last, as the other formats order them.
  for (const std::string& mapped : found->second.second)
    if (depth < 4) code += numberFormat(mapped, depth + 1) + ";";
  return code + found->second.first;
}

CellFormat OdsStyles::formatOf(std::string_view name) const {
  CellStyle merged;
  for (int depth = 0; depth < 16; ++depth) {
    const auto found = cellStyles_.find(name);
    if (found == cellStyles_.end()) break;
    const CellStyle& style = found->second;
    if (!merged.dataStyle) merged.dataStyle = style.dataStyle;
    if (!merged.bold) merged.bold = style.bold;
    if (!merged.italic) merged.italic = style.italic;
    if (!merged.underline) merged.underline = style.underline;
    if (!merged.fontColour) merged.fontColour = style.fontColour;
    if (!merged.fillColour) merged.fillColour = style.fillColour;
    if (style.parent.empty() || style.parent == name) break;
    name = style.parent;
  }
  CellFormat format;
  format.numberFormat = merged.dataStyle ? numberFormat(*merged.dataStyle, 0) : "General";
  format.bold = merged.bold.value_or(false);
  format.italic = merged.italic.value_or(false);
  format.underline = merged.underline.value_or(false);
  format.fontColour = merged.fontColour.value_or("");
  format.fillColour = merged.fillColour.value_or("");
  return format;
}

void OdsStyles::fixDefault(const char* style) {
  if (formatsTable_ == nullptr || table_ != nullptr) return;
  formatsTable_->clear();
  table_ = std::make_unique<CellFormatTable>(*formatsTable_,
                                             formatOf(style != nullptr ? style : "Default"));
}

std::uint32_t OdsStyles::cellFormat(std::string_view style) {
  if (formatsTable_ == nullptr) return 0;
  fixDefault(nullptr);
  const auto found = indexes_.find(style);
  if (found != indexes_.end()) return found->second;
  const std::uint32_t index = table_->numberOf(formatOf(style));
  indexes_.emplace(std::string(style), index);
  return index;
}

}  // namespace quill::ods
