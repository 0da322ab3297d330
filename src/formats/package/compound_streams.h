#pragma once

#include <cstdint>
#include <memory>
#include <stop_token>
#include <string>

namespace quill {

// The root streams of a compound document, each read whole into memory on request under a
// size limit checked before anything is allocated. Failures throw WorkbookError naming the
// file.
class CompoundStreams {
 public:
  CompoundStreams(const std::string& path, std::stop_token stop = {});
  ~CompoundStreams();
  CompoundStreams(const CompoundStreams&) = delete;
  CompoundStreams& operator=(const CompoundStreams&) = delete;

  // The root stream named so (in any case), refused when missing or larger than maxBytes.
  std::string read(const char* name, std::uint64_t maxBytes) const;

 private:
  struct Handles;
  std::string path_;
  std::stop_token stop_;
  std::unique_ptr<Handles> handles_;
};

}  // namespace quill
