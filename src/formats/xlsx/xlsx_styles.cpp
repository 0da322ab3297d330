#include "formats/xlsx/xlsx_styles.h"

#include <charconv>
#include <unordered_map>

#include "sheet/cell_text.h"
#include "formats/xlsx/xlsx_package.h"

namespace quill::xlsx {

namespace {

// Collects the custom number formats and the number format of each cell format.
class StylesHandler final : public XmlHandler {
 public:
  void startElement(std::string_view name, const XmlAttributes& attributes) override;
  void endElement(std::string_view name) override;
  void characters(std::string_view) override {}

  std::vector<bool> dateStyles() const;

 private:
  std::unordered_map<long, bool> customIsDate_;
  std::vector<long> cellFormatIds_;
  bool inNumberFormats_ = false;  // numFmt elements elsewhere (differential formats) do not count
  bool inCellFormats_ = false;
};

long formatId(const char* text) {
  long id = -1;
  if (text != nullptr) std::from_chars(text, text + std::char_traits<char>::length(text), id);
  return id;
}

void StylesHandler::startElement(std::string_view name, const XmlAttributes& attributes) {
  if (name == "numFmts") {
    inNumberFormats_ = true;
  } else if (name == "numFmt" && inNumberFormats_) {
    const char* code = attributes.find("formatCode");
    customIsDate_[formatId(attributes.find("numFmtId"))] =
        code != nullptr && isDateFormatCode(code);
  } else if (name == "cellXfs") {
    inCellFormats_ = true;
  } else if (name == "xf" && inCellFormats_) {
    const char* id = attributes.find("numFmtId");
    cellFormatIds_.push_back(id == nullptr ? 0 : formatId(id));
  }
}

void StylesHandler::endElement(std::string_view name) {
  if (name == "cellXfs") inCellFormats_ = false;
  if (name == "numFmts") inNumberFormats_ = false;
}

std::vector<bool> StylesHandler::dateStyles() const {
  std::vector<bool> isDate;
  isDate.reserve(cellFormatIds_.size());
  for (long id : cellFormatIds_) {
    // A format the file defines itself is judged by its code, even under a built-in id.
    auto custom = customIsDate_.find(id);
    isDate.push_back(custom != customIsDate_.end() ? custom->second : isBuiltinDateFormat(int(id)));
  }
  return isDate;
}

}  // namespace

DateStyles readDateStyles(const ZipArchive& zip, std::string_view part) {
  StylesHandler handler;
  parsePart(zip, part, handler);
  return DateStyles(handler.dateStyles());
}

}  // namespace quill::xlsx
