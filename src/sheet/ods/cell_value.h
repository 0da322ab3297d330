#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/cell_text.h"
#include "sheet/xml_stream.h"

namespace quill::ods {

// The typed value a table cell declares in its attributes, kept in buffers that are reused
// from cell to cell.
class CellValue {
 public:
  // Takes the value attributes of a table:table-cell or table:covered-table-cell. Gives its
  // number-columns-repeated attribute, found in the same pass, or nullptr.
  const char* read(const XmlAttributes& attributes);
  // The compared text of the cell, given the text of its paragraphs.
  std::string_view text(const std::string& paragraphs, CivilDate nullDate);

 private:
  enum class Type { Paragraphs, Number, Date, Time, Boolean, String, Error };

  // The text of a plain "yyyy-mm-dd" date value, made once per day; nothing for any other.
  std::optional<std::string_view> plainDayText(std::string_view value, CivilDate nullDate);

  // Texts of plain days seen so far, by day modulo the slot count, for the null date below.
  struct DayText {
    std::uint32_t day = 0;  // (yyyy * 12 + mm - 1) * 31 + dd - 1
    std::string text;       // empty in an empty slot
  };
  static constexpr std::size_t kDaySlots = 4096;
  std::vector<DayText> dayTexts_;
  CivilDate dayTextsNullDate_;

  Type type_ = Type::Paragraphs;
  bool hasValue_ = false;
  std::string value_;
  std::string result_;
};

// Parses a table:date-value such as "1899-12-30"; nothing when it is no date.
std::optional<CivilDate> parseNullDate(std::string_view text);

}  // namespace quill::ods
