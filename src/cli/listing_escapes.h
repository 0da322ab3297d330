#pragma once

#include <string>
#include <string_view>

namespace quill::cli {

// A cell text as the cells listing writes it on one line: \\, \t, \n and \r escaped.
std::string escapeForListing(std::string_view text);

}  // namespace quill::cli
