#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace quill {

// What became of one workbook path of a folder comparison.
enum class PairState { Same, Different, Failed, Added, Removed };

// One line of a folder comparison's index: the workbook's path inside both trees, what
// became of it, and for a compared pair its counts (a failed pair: the failure's text).
struct FolderIndexEntry {
  std::string relativePath;
  PairState state = PairState::Same;
  long differences = 0;
  long sheetsWithDifferences = 0;
  long sheetsCompared = 0;
  std::string failure;
  std::string reviewWorkbook;  // the file name of the pair's review workbook, if it has one
};

// The index document: both folders, then a table with one row per entry, in the order
// given, linking each compared pair's report.htm and visualized.htm (and its review workbook
// where it has one) in the sub-folder named after its path.
std::string folderIndexMarkup(const std::string& folder1, const std::string& folder2,
                              const std::vector<FolderIndexEntry>& entries);

// Writes index.htm into the folder whole or not at all. Throws WriteError.
void saveFolderIndex(const std::filesystem::path& folder, const std::string& markup);

}  // namespace quill
