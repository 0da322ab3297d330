#pragma once

#include <string>
#include <string_view>

namespace quill {

// The product's name: the windows' caption, the main window's product button and the
// source of the message boxes' title.
inline constexpr const char* kProductName = "Quillmere";
// The maker's name, under which the settings are kept together with the product's.
inline constexpr const char* kMakerName = "Marrowfen";

// The title of every message box without one of its own: the product name without its last
// word, shortened word by word to at most 40 characters; a name without a blank stays whole.
std::string makeApplicationTitle(std::string_view productName);

}  // namespace quill
