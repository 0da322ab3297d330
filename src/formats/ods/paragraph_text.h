#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quill::ods {

// Collects the text of a cell's paragraphs: character data with its white space collapsed
// as the OpenDocument format asks, explicit spaces, tabs and line breaks, and a line feed
// between two paragraphs.
class ParagraphText {
 public:
  // Longest text a cell may reach through explicit spaces (text:s), against hostile counts.
  static constexpr std::size_t kMaxGeneratedText = std::size_t(1) << 24;

  void clear();
  void startParagraph();
  void characters(std::string_view data);
  // Appends count spaces (text:s); throws WorkbookError past kMaxGeneratedText.
  void spaces(long count);
  void tab() { appendLiteral('\t'); }
  void lineBreak() { appendLiteral('\n'); }

  const std::string& text() const { return text_; }

 private:
  void appendLiteral(char ch);

  std::string text_;
  bool anyParagraph_ = false;
  bool afterCollapsibleSpace_ = true;
};

}  // namespace quill::ods
