#include "cli/folder_pairing.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <stdexcept>

namespace quill::cli {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kWorkbookExtensions[] = {".xlsx", ".xlsm", ".xltx", ".xltm",
                                                    ".xlsb", ".xls",  ".ods",  ".csv"};

std::string lowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  return text;
}

// Marks every workbook under the folder in the map, as held by the first or second tree.
void listWorkbooks(const fs::path& folder, bool first, std::map<std::string, WorkbookPath>& paths) {
  for (auto it = fs::recursive_directory_iterator(folder); it != fs::recursive_directory_iterator();
       ++it) {
    if (!it->is_regular_file() || !hasWorkbookExtension(it->path().filename())) continue;
    const std::string relative = it->path().lexically_relative(folder).generic_string();
    WorkbookPath& entry = paths[relative];
    entry.relativePath = relative;
    (first ? entry.inFirst : entry.inSecond) = true;
  }
}

}  // namespace

bool hasWorkbookExtension(const fs::path& name) {
  const std::string extension = lowerCase(name.extension().string());
  return std::find(std::begin(kWorkbookExtensions), std::end(kWorkbookExtensions), extension) !=
         std::end(kWorkbookExtensions);
}

std::vector<WorkbookPath> pairWorkbooks(const fs::path& first, const fs::path& second) {
  std::map<std::string, WorkbookPath> paths;
  listWorkbooks(first, true, paths);
  listWorkbooks(second, false, paths);
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
