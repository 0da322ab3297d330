#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace quill::cli {

// Runs quillmere-cli with its arguments (without the program name); returns the exit code.
// errIsTerminal says that err reaches a terminal, where a long comparison draws its
// progress line; outIsTerminal that out does, where the text format may be coloured.
int run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
        bool errIsTerminal = false, bool outIsTerminal = false);

}  // namespace quill::cli
