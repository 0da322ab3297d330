#pragma once

#include <string>
#include <string_view>

namespace quill {

// Appends text for HTML content or a quoted attribute value: & < > " ' become references.
void appendHtmlEscaped(std::string& out, std::string_view text);

// Appends a cell's text as appendHtmlEscaped does, its leading and trailing spaces (kept
// only when spaces are compared exactly) each shown as an open box (U+2423), so that a page
// shows them instead of collapsing them.
void appendCellTextEscaped(std::string& out, std::string_view text);

// Appends text for a link address: blanks and control characters, ", #, ?, %, &, ', <, > and bytes
// over 127 become %XX.
void appendUrlEscaped(std::string& out, std::string_view text);

}  // namespace quill
