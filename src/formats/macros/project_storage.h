#pragma once

#include <cstdint>
#include <memory>
#include <stop_token>
#include <string>

namespace quill {

// The storage of a macro project inside a compound file (the whole vbaProject.bin part of a
// package, or the _VBA_PROJECT_CUR storage of an .xls), whose "VBA" storage holds the
// directory and the module streams. Failures throw MacroProjectError with the reason only.
class ProjectStorage {
 public:
  // The project stored in the named root storage of the compound file at path (names
  // matched without regard to case), or nullptr when the file has no such storage or is no
  // compound file.
  static std::unique_ptr<ProjectStorage> inFile(const std::string& path, const char* storageName,
                                                std::stop_token stop);
  // The project that is the whole compound file held in bytes.
  static std::unique_ptr<ProjectStorage> inBytes(std::string bytes, std::stop_token stop);
  ~ProjectStorage();
  ProjectStorage(const ProjectStorage&) = delete;
  ProjectStorage& operator=(const ProjectStorage&) = delete;

  // The stream of the "VBA" storage named so (exactly, or else in another case of ASCII
  // letters), refused when missing or larger than maxBytes.
  std::string readVbaStream(const std::string& name, std::uint64_t maxBytes) const;

 private:
  struct Handles;
  explicit ProjectStorage(std::unique_ptr<Handles> handles, std::stop_token stop);

  std::unique_ptr<Handles> handles_;
  std::stop_token stop_;
};

}  // namespace quill
