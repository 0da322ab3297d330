#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace quill::cli {

// Each command takes the arguments after its name and returns the exit code. The compare
// command draws its progress line on err when err is a terminal; compare --format text and
// git-diff colour their lines when out is one.
int compareCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   bool errIsTerminal = false, bool outIsTerminal = false);
int gitDiffCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   bool outIsTerminal = false);
int cellsCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
int contentsCommand(const std::vector<std::string>& arguments, std::ostream& out,
                    std::ostream& err);
int sheetsCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
int textconvCommand(const std::vector<std::string>& arguments, std::ostream& out,
                    std::ostream& err);

// True when the arguments ask for help.
bool wantsHelp(const std::vector<std::string>& arguments);

// The one file a command takes, "--" ending its options so that a name beginning with "-"
// can be given; otherwise says what is wrong (an unknown option, no file, more than one)
// and gives nothing.
std::optional<std::string> oneFileOperand(const std::vector<std::string>& arguments,
                                          std::string_view command, std::ostream& err);

// How a message names an argument that is not an option: up to its "=", so that a mistyped
// option never echoes its value, which may be a password.
std::string unknownOptionName(std::string_view argument);

}  // namespace quill::cli
