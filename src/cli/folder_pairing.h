#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace quill::cli {

// One workbook path of a folder comparison, relative to both trees, and which tree holds it.
struct WorkbookPath {
  std::string relativePath;  // with "/" between folders
  bool inFirst = false;
  bool inSecond = false;
  // Why the path cannot be compared (a sub-folder that cannot be listed, a loop of links),
  // or "" for a workbook that can.
  std::string failure;
};

// True for a file name whose extension is one of the formats the readers take, in any case.
bool hasWorkbookExtension(const std::filesystem::path& name);

// The workbooks of both trees, paired by their paths inside them and sorted by path. Files
// of other types are left out; links to folders are not followed, so that a loop of links
// cannot make the walk endless. A sub-folder that cannot be listed and a workbook's link
// that leads nowhere are paths with a failure, and the rest is listed. Throws
// std::filesystem::filesystem_error when a tree itself cannot be read.
std::vector<WorkbookPath> pairWorkbooks(const std::filesystem::path& first,
                                        const std::filesystem::path& second);

// The folder inside the output folder that receives one pair's documents, named after its
// path; throws std::runtime_error for a path that would lead elsewhere (empty, absolute,
// or holding "." or ".." parts).
std::filesystem::path pairFolder(const std::filesystem::path& outputFolder,
                                 const std::string& relativePath);

}  // namespace quill::cli
