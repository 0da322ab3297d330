#pragma once

#include <cstddef>
#include <string_view>

namespace quill {

// Where a piece of markup first occurs in a document at or after from; npos when it does
// not. Searches by whole needle rather than by its first byte, which keeps scans of
// documents of hundreds of megabytes, where '<' is every few bytes, to a fraction of a second.
std::size_t findMarkup(std::string_view document, std::string_view needle, std::size_t from = 0);

// How many times a piece of markup occurs, without overlaps, in a part of a document.
std::size_t countMarkup(std::string_view part, std::string_view needle);

}  // namespace quill
