#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/password_options.h"
#include "engine/comparison_options.h"
#include "report/script_document.h"

namespace quill::cli {

// The arguments of a comparison of two folder trees.
struct FolderArguments {
  std::filesystem::path first;
  std::filesystem::path second;
  std::filesystem::path outputFolder = ".";
  unsigned jobs = 0;  // pairs compared at a time; 0 until read, then at least 1
  bool quiet = false;
  ComparisonOptions options;           // applied to every pair
  PasswordArguments passwords;         // File #1's for DIR1, File #2's for DIR2
  std::optional<ScriptFormat> format;  // a script format's one stream instead of documents
  std::optional<std::filesystem::path> outputFile;
  // --format xlsx: each differing pair's review workbook beside its documents.
  bool reviewWorkbooks = false;
};

// True when the compare command's two non-option arguments are both folders.
bool namesTwoFolders(const std::vector<std::string>& arguments);

// Reads a folder comparison's arguments; on a mistake says what is wrong and gives nothing.
// Without --jobs as many pairs are compared at a time as there are processors.
std::optional<FolderArguments> parseFolderArguments(const std::vector<std::string>& arguments,
                                                    std::ostream& err);

}  // namespace quill::cli
