#pragma once

#include <string>
#include <string_view>

#include "sheet/cell_text.h"
#include "sheet/xml_stream.h"

namespace quill::ods {

// The typed value a table cell declares in its attributes, kept in buffers that are reused
// from cell to cell.
class CellValue {
 public:
  // Takes the value attributes of a table:table-cell or table:covered-table-cell.
  void read(const XmlAttributes& attributes);
  // The compared text of the cell, given the text of its paragraphs.
  std::string_view text(const std::string& paragraphs, CivilDate nullDate);

 private:
  enum class Type { Paragraphs, Number, Date, Time, Boolean, String, Error };

  Type type_ = Type::Paragraphs;
  bool hasValue_ = false;
  std::string value_;
  std::string result_;
};

// Parses a table:date-value such as "1899-12-30"; nothing when it is no date.
std::optional<CivilDate> parseNullDate(std::string_view text);

}  // namespace quill::ods
