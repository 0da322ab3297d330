#pragma once

#include <string>
#include <string_view>

namespace quill {

// The title of every message box without one of its own: the product name without its last
// word, shortened word by word to at most 40 characters; a name without a blank stays whole.
std::string makeApplicationTitle(std::string_view productName);

}  // namespace quill
