#include "cli/write_fence.h"

#include <stdexcept>
#include <string>
#include <system_error>

namespace quill::cli {

namespace fs = std::filesystem;

namespace {

fs::path resolved(const fs::path& path) {
  std::error_code error;
  const fs::path full = fs::weakly_canonical(fs::absolute(path, error), error);
  return error ? fs::absolute(path).lexically_normal() : full;
}

}  // namespace

bool liesWithin(const fs::path& path, const fs::path& folder) {
  const fs::path inside = resolved(path).lexically_relative(resolved(folder));
  return !inside.empty() && *inside.begin() != "..";
}

WriteFence::WriteFence(const fs::path& outputFolder, std::vector<fs::path> trees)
    : outputFolder_(outputFolder), trees_(std::move(trees)) {}

void WriteFence::refuseInsideTrees(const fs::path& path, std::string_view option) const {
  for (const fs::path& tree : trees_)
    if (liesWithin(path, tree))
      throw std::runtime_error(std::string(option) + " \"" + path.string() +
                               "\" lies inside the compared folder \"" + tree.string() +
                               "\"; choose a place outside both folders");
}

void WriteFence::refuseFolderInTrees(const fs::path& folder) const {
  for (const fs::path& tree : trees_)
    if (liesWithin(folder, tree))
      throw std::runtime_error("its folder \"" + folder.string() +
                               "\" would lie inside the compared folder \"" + tree.string() + "\"");
}

bool WriteFence::allows(const fs::path& path) const {
  if (!liesWithin(path, outputFolder_)) return false;
  for (const fs::path& tree : trees_)
    if (liesWithin(path, tree)) return false;
  return true;
}

void WriteFence::dropLinkLeadingOut(const fs::path& document) const {
  std::error_code error;
  if (!fs::is_symlink(document, error) || allows(document)) return;
  if (!fs::remove(document, error) && error)
    throw std::runtime_error("\"" + document.string() +
                             "\" is a link leading out of the output folder and cannot be "
                             "removed: " +
                             error.message());
}

}  // namespace quill::cli
