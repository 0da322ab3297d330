#pragma once

#include <string_view>

namespace quill {

// The markup between the start and end tags of a document's root element (<html> and
// </html>, any letter case); the whole text when either tag is missing.
std::string_view innerRootMarkup(std::string_view document);

}  // namespace quill
