#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/package/xml_stream.h"
#include "sheet/cell_text.h"

namespace quill::ods {

// The typed value a table cell declares in its attributes, kept in buffers that are reused
// from cell to cell.
class CellValue {
 public:
  // Takes the value attributes of a table:table-cell or table:covered-table-cell and reads
  // the value they declare. Gives its number-columns-repeated attribute, found in the same
  // pass, or nullptr.
  const char* read(const XmlAttributes& attributes, CivilDate nullDate);
  // Whether the text depends on the cell's paragraphs: the cell declares no value, an
  // unreadable one, or an error, which its paragraphs name.
  bool needsParagraphs() const { return !valueText_.has_value(); }
  // The compared text of the cell, given the text of its paragraphs.
  std::string_view text(const std::string& paragraphs);

 private:
  enum class Type { Paragraphs, Number, Date, Time, Boolean, String, Error };

  // The text of the value read, where it alone makes the text; nothing otherwise.
  std::optional<std::string_view> valueText(CivilDate nullDate);
  // The text of a plain "yyyy-mm-dd" date value, made once per day; nothing for any other.
  std::optional<std::string_view> plainDayText(std::string_view value, CivilDate nullDate);

  // Texts of plain days seen so far, by day modulo the slot count, for the null date below;
  // 16 bytes each, so that the table stays small in the caches.
  struct DayText {
    std::uint32_t day = 0;  // (yyyy * 12 + mm - 1) * 31 + dd - 1
    std::uint8_t size = 0;  // 0 in an empty slot
    char text[11];          // "yyyy-mm-dd", "00:00:00" or a negative count of days
  };
  static constexpr std::size_t kDaySlots = 4096;
  std::vector<DayText> dayTexts_;
  CivilDate dayTextsNullDate_;

  Type type_ = Type::Paragraphs;
  bool hasValue_ = false;
  std::string value_;
  std::string result_;
  std::string padded_;                         // a date value padded to two-digit fields
  std::optional<std::string_view> valueText_;  // into value_, result_ or a day's slot
};

// Parses a table:date-value such as "1899-12-30" (or "1899-12-30T00:00:00", or with one-digit
// fields, "1904-1-1"); nothing when it is no date.
std::optional<CivilDate> parseNullDate(std::string_view text);

}  // namespace quill::ods
