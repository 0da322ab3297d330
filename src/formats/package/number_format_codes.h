#pragma once

#include <string_view>

namespace quill {

// The format code a built-in number format id stands for when a file names the id without
// defining it ("0.00" for 2, "mm-dd-yy" for 14); "" for an id with no fixed code.
std::string_view builtinNumberFormat(long id);

}  // namespace quill
