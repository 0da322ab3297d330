#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace quill::cli {

// Runs quillmere-cli with its arguments (without the program name); returns the exit code.
int run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace quill::cli
