#pragma once

#include <string>
#include <string_view>

namespace quill::xlsx {

// Decodes the _xHHHH_ escapes that .xlsx parts use for characters XML cannot hold, such as
// "_x000D_" for a carriage return; an escaped surrogate pair makes one character.
std::string decodeXmlEscapes(std::string_view text);

}  // namespace quill::xlsx
