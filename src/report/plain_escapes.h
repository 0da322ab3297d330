#pragma once

#include <string>
#include <string_view>

namespace quill {

// Appends text as a JSON string in double quotes: " and \ escaped, control characters as
// \n, \t, \r, \b, \f or \u00XX, and a byte that is not well-formed UTF-8 as U+FFFD, so
// that the output is always valid JSON in UTF-8.
void appendJsonString(std::string& out, std::string_view text);

// Appends text as one CSV field (RFC 4180): in double quotes, a quote doubled, when it holds
// a comma, a quote, a line break or blanks at either end; as it is otherwise. A byte that is
// not well-formed UTF-8 becomes U+FFFD.
void appendCsvField(std::string& out, std::string_view text);

// Appends text for a terminal or a review, on one line and without escape sequences:
// backslash, tab, line feed and carriage return as \\, \t, \n and \r, other control
// characters (C0, DEL, C1) as \xHH or \u00HH, the bidirectional controls (U+202A-U+202E,
// U+2066-U+2069) as \uHHHH, and a byte that is not well-formed UTF-8 as \xHH. In double
// quotes, with " written \", when quoted is set.
void appendTerminalText(std::string& out, std::string_view text, bool quoted);

// Whether a text reads clearly without quotes in a terminal line: one word of letters,
// digits (any script) and . , - + % / : _ # $, such as a number or a code; never a text
// holding a bidirectional control.
bool isBareText(std::string_view text);

}  // namespace quill
