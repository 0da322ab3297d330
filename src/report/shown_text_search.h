#pragma once

#include <string_view>

namespace quill {

// Whether the text a browser shows of a part of a document holds a piece of text, without
// regard to ASCII letter case: the text is looked for escaped as the documents write texts,
// and outside tags only (a text that runs across a tag is not found).
bool shownTextContains(std::string_view markup, std::string_view text);

}  // namespace quill
