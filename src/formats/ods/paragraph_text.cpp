#include "formats/ods/paragraph_text.h"

#include <algorithm>

#include "sheet/workbook.h"

namespace quill::ods {

namespace {

bool isXmlSpace(char ch) {
  return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r';
}

}  // namespace

void ParagraphText::clear() {
  text_.clear();
  anyParagraph_ = false;
  afterCollapsibleSpace_ = true;
}

void ParagraphText::startParagraph() {
  if (anyParagraph_) text_.push_back('\n');
  anyParagraph_ = true;
  afterCollapsibleSpace_ = true;
}

// White space in paragraph content stands for one blank, and none at a paragraph's start.
void ParagraphText::characters(std::string_view data) {
  const char* p = data.data();
  const char* const end = p + data.size();
  while (p < end) {
    if (isXmlSpace(*p)) {
      if (!afterCollapsibleSpace_) text_.push_back(' ');
      afterCollapsibleSpace_ = true;
      ++p;
      continue;
    }
    const char* run = p;
    while (p < end && !isXmlSpace(*p)) ++p;
    text_.append(run, std::size_t(p - run));
    afterCollapsibleSpace_ = false;
  }
}

void ParagraphText::spaces(long count) {
  if (count < 1) count = 1;
  if (std::size_t(count) > kMaxGeneratedText - std::min(text_.size(), kMaxGeneratedText))
    throw WorkbookError("a cell asks for " + std::to_string(count) +
                        " repeated spaces, more than a cell text may hold");
  text_.append(std::size_t(count), ' ');
  afterCollapsibleSpace_ = false;
}

void ParagraphText::appendLiteral(char ch) {
  text_.push_back(ch);
  afterCollapsibleSpace_ = false;
}

}  // namespace quill::ods
