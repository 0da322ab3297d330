#pragma once

#include <string>
#include <string_view>

namespace quill::xlsx {

// Collects the text of a string item (<si> of the shared strings, <is> of a cell): its <t>
// elements, plain or in rich-text runs, leaving phonetic runs (<rPh>) out.
class StringItemText {
 public:
  void begin();
  void startElement(std::string_view name);
  void endElement(std::string_view name);
  void characters(std::string_view text);
  // The collected text with its _xHHHH_ escapes decoded; valid until the next begin().
  std::string_view text();

 private:
  std::string text_;
  std::string decoded_;
  int phoneticDepth_ = 0;
  bool inText_ = false;
};

// A value text with its _xHHHH_ escapes decoded; scratch holds the result when one is needed.
std::string_view decodedValue(std::string_view text, std::string& scratch);

}  // namespace quill::xlsx
