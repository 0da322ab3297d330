#pragma once

#include <string>
#include <string_view>

namespace quill {

// The text as well-formed UTF-8: each byte of a broken sequence becomes U+FFFD.
std::string wellFormedText(std::string_view text);

// The most bytes a cell or note of the review workbook takes: a workbook's cell holds at most
// 32,767 characters.
constexpr std::size_t kMaxWrittenText = 32767;

// A cell text as the review workbook can hold it: well-formed UTF-8 of at most
// kMaxWrittenText bytes, cut at a whole character.
std::string writtenText(std::string_view text);

}  // namespace quill
