#include "cli/folder_pairing.h"

#include <algorithm>
#include <map>
#include <stdexcept>

#include "base/ascii_case.h"

namespace quill::cli {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kWorkbookExtensions[] = {".xlsx", ".xlsm", ".xltx", ".xltm",
                                                    ".xlsb", ".xls",  ".ods",  ".csv"};

// Plain words for what kept a path from being read.
std::string reasonFor(const std::error_code& error) {
  if (error == std::errc::too_many_symbolic_link_levels) return "a loop of links";
  if (error == std::errc::permission_denied) return "permission denied";
  if (error == std::errc::no_such_file_or_directory) return "a link to nothing";
  return error.message();
}

// Marks a path in the map as failed in the first or second tree, with the reason.
void markFailed(std::map<std::string, WorkbookPath>& paths, const std::string& relative, bool first,
                const std::string& reason) {
  WorkbookPath& entry = paths[relative];
  entry.relativePath = relative;
  (first ? entry.inFirst : entry.inSecond) = true;
  if (entry.failure.empty())
    entry.failure =
        std::string(first ? "in the first folder: " : "in the second folder: ") + reason;
}

// Marks every workbook under the folder in the map, as held by the first or second tree.
// Links to folders are not followed; a sub-folder that cannot be listed and a workbook
// whose link leads nowhere are marked failed, and the walk goes on.
void listWorkbooks(const fs::path& root, const fs::path& folder, bool first,
                   std::map<std::string, WorkbookPath>& paths) {
  std::error_code error;
  fs::directory_iterator it(folder, error);
  if (error && folder == root) throw fs::filesystem_error("cannot read the folder", folder, error);
  if (error) {
    markFailed(paths, folder.lexically_relative(root).generic_string(), first,
               "the folder cannot be read (" + reasonFor(error) + ")");
    return;
  }
  for (; it != fs::directory_iterator(); it.increment(error)) {
    if (error) break;
    const fs::path& path = it->path();
    std::error_code status;
    const bool link = it->is_symlink(status);
    if (!link && it->is_directory(status)) {
      listWorkbooks(root, path, first, paths);
      continue;
    }
    if (!hasWorkbookExtension(path.filename())) continue;
    const std::string relative = path.lexically_relative(root).generic_string();
    const bool regular = fs::is_regular_file(path, status);
    if (status) {
      markFailed(paths, relative, first, "the file cannot be read (" + reasonFor(status) + ")");
      continue;
    }
    if (!regular) continue;
    WorkbookPath& entry = paths[relative];
    entry.relativePath = relative;
    (first ? entry.inFirst : entry.inSecond) = true;
  }
  if (error)
    markFailed(paths, folder.lexically_relative(root).generic_string(), first,
               "the folder cannot be read to its end (" + reasonFor(error) + ")");
}

}  // namespace

bool hasWorkbookExtension(const fs::path& name) {
  const std::string extension = asciiLowered(name.extension().string());
  return std::find(std::begin(kWorkbookExtensions), std::end(kWorkbookExtensions), extension) !=
         std::end(kWorkbookExtensions);
}

std::vector<WorkbookPath> pairWorkbooks(const fs::path& first, const fs::path& second) {
  std::map<std::string, WorkbookPath> paths;
  listWorkbooks(first, first, true, paths);
  listWorkbooks(second, second, false, paths);
  std::vector<WorkbookPath> pairs;
  pairs.reserve(paths.size());
  for (auto& [relative, entry] : paths) pairs.push_back(std::move(entry));
  return pairs;
}

fs::path pairFolder(const fs::path& outputFolder, const std::string& relativePath) {
  const fs::path relative(relativePath);
  bool safe = !relative.empty() && relative.is_relative();
  for (const fs::path& part : relative)
    if (part.empty() || part == "." || part == "..") safe = false;
  if (!safe)
    throw std::runtime_error("\"" + relativePath + "\" cannot name a folder in the output");
  return outputFolder / relative;
}

}  // namespace quill::cli
