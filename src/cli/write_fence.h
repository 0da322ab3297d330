#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

namespace quill::cli {

// Whether the path, links followed as far as they exist, lies in the folder or is the folder.
bool liesWithin(const std::filesystem::path& path, const std::filesystem::path& folder);

// Where a folder comparison may write: inside its output folder and outside both input
// trees, so that nothing it writes replaces a file of either tree.
class WriteFence {
 public:
  WriteFence(const std::filesystem::path& outputFolder, std::vector<std::filesystem::path> trees);

  // Throws std::runtime_error, saying what the option names, when the path of --out or
  // --output lies inside either input tree.
  void refuseInsideTrees(const std::filesystem::path& path, std::string_view option) const;

  // Throws std::runtime_error when a pair's folder lies in an input tree.
  void refuseFolderInTrees(const std::filesystem::path& folder) const;

  // Readies the path of a document for writing: a link there that leads outside the output
  // folder or into an input tree is removed, so that the document replaces the link and not
  // the file it leads to; a link that leads to another place in the output folder stays and
  // is written through. Throws std::runtime_error when the link cannot be removed.
  void dropLinkLeadingOut(const std::filesystem::path& document) const;

 private:
  bool allows(const std::filesystem::path& path) const;

  std::filesystem::path outputFolder_;
  std::vector<std::filesystem::path> trees_;
};

}  // namespace quill::cli
