#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quill {

// Appends a number in decimal digits.
void appendNumber(std::string& out, std::size_t value);

// Appends " (page N of M)" and the links to the pages before and after the one shown
// (fileName?page=N, N counted from 1), as the line above a page of a long document ends.
// While the pages are still being counted (countKnown false) M is written as an ellipsis.
void appendPageTurns(std::string& out, std::string_view fileName, std::size_t page,
                     std::size_t pageCount, bool countKnown = true);

// The id of the element that holds the part of a page that changes from page to page, so
// that a view may put another page's part in its place without loading a new page.
inline constexpr std::string_view kSwappedPartId = "quillmere-page";

// Appends a page's changing part inside the element of that id.
void appendSwappedPart(std::string& out, std::string_view body);

// The page a "page=N" query names, counted from 0; none when it names no page of that many.
std::optional<std::size_t> pageOfQuery(std::string_view query, std::size_t pageCount);

}  // namespace quill
