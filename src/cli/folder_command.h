#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace quill::cli {

// The compare command for two folders: compares the pairs of workbooks of both trees,
// several at a time, each into its own folder of the output folder, writes index.htm there
// and prints a line for each path and a summary; with --format, writes every pair's result
// into one stream instead. Returns 2 when any pair failed, else 1
// when any pair differs or a workbook is in one tree only, else 0.
int compareFolders(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   bool errIsTerminal, bool outIsTerminal = false);

}  // namespace quill::cli
