#include "formats/xlsx/xlsx_string_item.h"

#include "formats/xlsx/xml_escapes.h"

namespace quill::xlsx {

void StringItemText::begin() {
  text_.clear();
  phoneticDepth_ = 0;
  inText_ = false;
}

void StringItemText::startElement(std::string_view name) {
  if (name == "rPh")
    ++phoneticDepth_;
  else if (name == "t" && phoneticDepth_ == 0)
    inText_ = true;
}

void StringItemText::endElement(std::string_view name) {
  if (name == "rPh" && phoneticDepth_ > 0)
    --phoneticDepth_;
  else if (name == "t")
    inText_ = false;
}

void StringItemText::characters(std::string_view text) {
  if (inText_) text_.append(text);
}

std::string_view StringItemText::text() {
  return decodedValue(text_, decoded_);
}

std::string_view decodedValue(std::string_view text, std::string& scratch) {
  if (text.find("_x") == std::string_view::npos) return text;
  scratch = decodeXmlEscapes(text);
  return scratch;
}

}  // namespace quill::xlsx
