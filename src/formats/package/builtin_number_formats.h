#pragma once

#include <string_view>

namespace quill {

// The code of a built-in number format by its id, as the binary formats and the XML
// packages number them without storing the code; "" for an id with no built-in code.
std::string_view builtinNumberFormat(int id);

}  // namespace quill
