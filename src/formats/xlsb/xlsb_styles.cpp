#include "formats/xlsb/xlsb_styles.h"

#include <string>
#include <unordered_map>
#include <vector>

#include "formats/xlsb/xlsb_records.h"
#include "sheet/cell_text.h"

namespace quill::xlsb {

namespace {

// Collects the defined number formats and the number format of each cell format.
class StyleRecords {
 public:
  explicit StyleRecords(std::string errorPrefix) : errorPrefix_(std::move(errorPrefix)) {}

  void take(const Record& record);
  std::vector<bool> dateStyles() const;

 private:
  std::string errorPrefix_;
  std::unordered_map<std::uint16_t, bool> definedIsDate_;
  std::vector<std::uint16_t> cellFormatIds_;
  bool inNumberFormats_ = false;
  bool inCellFormats_ = false;  // cell style formats and differential formats do not count
  std::string code_;
};

void StyleRecords::take(const Record& record) {
  switch (record.type) {
    case record::kBeginNumberFormats:
      inNumberFormats_ = true;
      return;
    case record::kEndNumberFormats:
      inNumberFormats_ = false;
      return;
    case record::kBeginCellFormats:
      inCellFormats_ = true;
      return;
    case record::kEndCellFormats:
      inCellFormats_ = false;
      return;
    case record::kNumberFormat:
      if (inNumberFormats_) {
        FieldCursor cursor(record, errorPrefix_);
        const std::uint16_t id = cursor.u16();
        code_.clear();
        cursor.appendWideString(code_);
        definedIsDate_[id] = isDateFormatCode(code_);
      }
      return;
    case record::kCellFormat:
      if (inCellFormats_) {
        FieldCursor cursor(record, errorPrefix_);
        cursor.skip(2);  // the parent style format
        cellFormatIds_.push_back(cursor.u16());
      }
      return;
    default:
      return;
  }
}

std::vector<bool> StyleRecords::dateStyles() const {
  std::vector<bool> isDate;
  isDate.reserve(cellFormatIds_.size());
  for (std::uint16_t id : cellFormatIds_) {
    const auto defined = definedIsDate_.find(id);
    isDate.push_back(defined != definedIsDate_.end() ? defined->second : isBuiltinDateFormat(id));
  }
  return isDate;
}

}  // namespace

xlsx::DateStyles readDateStyles(const ZipArchive& zip, std::string_view part) {
  const std::string errorPrefix = partErrorPrefix(zip, part);
  StyleRecords styles(errorPrefix);
  readRecords(zip, part, errorPrefix, [&](const Record& record) { styles.take(record); });
  return xlsx::DateStyles(styles.dateStyles());
}

}  // namespace quill::xlsb
