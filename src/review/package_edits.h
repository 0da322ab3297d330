#pragma once

#include <string>
#include <utility>
#include <vector>

namespace quill {

// The parts a marked package gains or has rewritten whole, besides the streamed worksheets.
struct PackageEdits {
  std::vector<std::pair<std::string, std::string>> parts;         // part name, its new text
  std::vector<std::pair<std::string, std::string>> contentTypes;  // a new part's name, its type

  void put(std::string part, std::string text) {
    parts.emplace_back(std::move(part), std::move(text));
  }
};

// The package's relationship types and content types the marked parts use.
inline constexpr const char* kRelationshipsNamespace =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
inline constexpr const char* kPackageRelationshipsNamespace =
    "http://schemas.openxmlformats.org/package/2006/relationships";
inline constexpr const char* kXmlDeclaration =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

}  // namespace quill
