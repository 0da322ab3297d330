#pragma once

#include <string_view>

namespace quill::csv {

// The field separator of a CSV file, guessed from the first lines of its text as
// spreadsheet applications do: of comma, semicolon and tab, the one that occurs (outside
// quotes) as often in each of the first lines as in the first, most often there; comma when
// none does, or on a tie.
char guessSeparator(std::string_view firstText);

}  // namespace quill::csv
