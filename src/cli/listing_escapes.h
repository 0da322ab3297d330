#pragma once

#include <string>
#include <string_view>

namespace quill::cli {

// A text (a cell's, a sheet's name, a path) as the listings and the progress line write it
// on one line: \\, \t, \n and \r escaped, and every other control character, bidirectional
// control and byte that is not UTF-8 as --format text writes it.
std::string escapeForListing(std::string_view text);

}  // namespace quill::cli
