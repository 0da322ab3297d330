#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "formats/package/xml_stream.h"

namespace quill::ods {

// Builds the format code of one OpenDocument number style ("0.00", "#,##0", "yyyy-mm-dd",
// "0.0%") from the events of its element and children, in the code style the cells of the
// other formats use; a style whose number has no fixed decimals is "General".
class NumberStyleBuilder {
 public:
  // name is the style element's local name ("number-style", "date-style", ...).
  void begin(std::string_view name, const XmlAttributes& attributes);
  void startElement(std::string_view name, const XmlAttributes& attributes);
  void endElement(std::string_view name);
  void characters(std::string_view text);

  // The code of this style alone, and the styles its style:map elements apply before it.
  std::string code() const;
  const std::vector<std::string>& mappedStyles() const { return mapped_; }

 private:
  void addNumber(const XmlAttributes& attributes, bool scientific);
  void addDatePart(std::string_view name, const XmlAttributes& attributes);
  void addLiteral(std::string_view text);

  std::string code_;
  std::string pendingText_;
  std::vector<std::string> mapped_;
  bool inText_ = false;
  bool general_ = false;  // a number without fixed decimals and nothing else
  bool anyPart_ = false;
  bool overflowHours_ = false;  // a time style whose hours run past 24 ([h])
  std::string colour_;
};

}  // namespace quill::ods
