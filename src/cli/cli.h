#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace quill::cli {

// Runs quillmere-cli with its arguments (without the program name); returns the exit code.
// errIsTerminal says that err reaches a terminal, where a long comparison draws its
// progress line.
int run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
        bool errIsTerminal = false);

}  // namespace quill::cli
