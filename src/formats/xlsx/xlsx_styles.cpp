#include "formats/xlsx/xlsx_styles.h"

#include <charconv>
#include <unordered_map>

#include "formats/xlsx/xlsx_cell_formats.h"
#include "formats/xlsx/xlsx_package.h"
#include "sheet/cell_text.h"

namespace quill::xlsx {

namespace {

// More fonts, fills or cell formats than this are refused; real workbooks stay far below.
constexpr std::size_t kMaxStyleEntries = std::size_t(1) << 20;

// Collects the custom number formats and the number format of each cell format.
class StylesHandler final : public XmlHandler {
 public:
  // With a collector, the fonts, fills and cell formats go to it as well.
  StylesHandler(const ZipArchive& zip, std::string_view part, CellFormatCollector* collector)
      : zip_(zip), part_(part), collector_(collector) {}

  void startElement(std::string_view name, const XmlAttributes& attributes) override;
  void endElement(std::string_view name) override;
  void characters(std::string_view) override {}

  std::vector<bool> dateStyles() const;

 private:
  // Refuses a styles part listing more entries than any workbook has.
  void checkCount(std::size_t count) const;

  const ZipArchive& zip_;
  std::string_view part_;
  CellFormatCollector* collector_;
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

void StylesHandler::checkCount(std::size_t count) const {
  if (count > kMaxStyleEntries)
    throw partError(zip_, part_,
                    "lists more than " + std::to_string(kMaxStyleEntries) + " cell formats");
}

void StylesHandler::startElement(std::string_view name, const XmlAttributes& attributes) {
  if (collector_ != nullptr) {
    collector_->startElement(name, attributes);
    checkCount(collector_->entryCount());
  }
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
    checkCount(cellFormatIds_.size());
  }
}

void StylesHandler::endElement(std::string_view name) {
  if (collector_ != nullptr) collector_->endElement(name);
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
  StylesHandler handler(zip, part, nullptr);
  parsePart(zip, part, handler);
  return DateStyles(handler.dateStyles());
}

CellStyles readCellStyles(const ZipArchive& zip, std::string_view part,
                          std::vector<CellFormat>* formatsTable) {
  if (formatsTable == nullptr) return {readDateStyles(zip, part), {}};
  CellFormatCollector collector;
  StylesHandler handler(zip, part, &collector);
  parsePart(zip, part, handler);
  return {DateStyles(handler.dateStyles()), collector.cellFormats(*formatsTable)};
}

}  // namespace quill::xlsx
