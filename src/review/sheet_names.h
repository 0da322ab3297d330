#pragma once

#include <string>
#include <vector>

namespace quill {

// A worksheet name a workbook accepts, made from a name read from any format: the
// characters [ ] : * ? / \ and control characters replaced by "_", no apostrophe at either
// end, at most 31 characters, "Sheet" for an empty name.
std::string acceptedSheetName(const std::string& name);

// The names the review workbook gives its worksheets: first the listing's, "Differences" or,
// when a File #2 worksheet has that name, "Differences (2)" and so on; then each of File #2's
// worksheets by its accepted name, made unique (ignoring case) by " (2)", " (3)", ...
std::vector<std::string> reviewSheetNames(const std::vector<std::string>& secondNames);

}  // namespace quill
