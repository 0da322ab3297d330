#pragma once

#include <deque>
#include <filesystem>
#include <string>

struct zip;
struct zip_source;

namespace quill {

// A copy of a zip package whose parts can be replaced or added: every part left alone keeps
// its packed bytes, as the package held them. Throws WriteError.
class PackageCopy {
 public:
  PackageCopy(const std::filesystem::path& source, const std::filesystem::path& target);
  ~PackageCopy();
  PackageCopy(const PackageCopy&) = delete;
  PackageCopy& operator=(const PackageCopy&) = delete;

  // The part (by its entry name) takes the text, or the contents of the file once close()
  // reads it; a part the package lacks is added.
  void putText(const std::string& entry, std::string text);
  void putFile(const std::string& entry, const std::filesystem::path& file);
  // Writes the package.
  void close();

 private:
  void put(const std::string& entry, zip_source* source);
  [[noreturn]] void fail(const std::string& what);

  zip* archive_ = nullptr;
  std::deque<std::string> texts_;  // held until close() has read them
};

}  // namespace quill
