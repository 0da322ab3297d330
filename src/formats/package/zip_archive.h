#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

struct zip;

namespace quill {

// A zip package opened for reading parts one at a time, inflated in chunks, under limits
// that keep a hostile archive harmless: a streamed part may be of any size, since only a
// chunk of it is held at a time (what its reader keeps has limits of its own), but may not
// inflate past a ratio no real workbook reaches; a part read whole is held, so its size is
// limited. Part names are matched without regard to case and without a leading "/".
// Failures throw WorkbookError naming the file; a stop requested through the token given
// throws ComparisonCancelled before the next chunk.
class ZipArchive {
 public:
  static constexpr std::uint64_t kMaxPartSize = std::uint64_t(1) << 30;  // held by readAll
  static constexpr std::uint64_t kMaxRatio = 1000;  // inflated : compressed, past the first MiB
  static constexpr std::uint64_t kRatioFreeBytes = std::uint64_t(1) << 20;

  explicit ZipArchive(const std::string& path, std::stop_token stop = {});
  // A package held in memory (a decrypted one), named in messages by the file it came from.
  ZipArchive(const std::string& path, std::string bytes, std::stop_token stop = {});
  ~ZipArchive();
  ZipArchive(const ZipArchive&) = delete;
  ZipArchive& operator=(const ZipArchive&) = delete;

  const std::string& path() const { return path_; }
  bool contains(std::string_view name) const;
  std::vector<std::string> names() const;

  // Calls consume with successive chunks of the inflated part. Throws WorkbookError when
  // the part is missing, damaged, encrypted or over the limits.
  void read(std::string_view name, const std::function<void(std::string_view)>& consume) const;
  // The whole inflated part, refused when it announces or reaches more than maxBytes.
  std::string readAll(std::string_view name, std::uint64_t maxBytes = kMaxPartSize) const;

 private:
  std::optional<std::uint64_t> indexOf(std::string_view name) const;
  [[noreturn]] void fail(const std::string& reason) const;
  [[noreturn]] void failToOpen(int error) const;

  std::string path_;
  std::stop_token stop_;
  std::string memory_;  // the bytes of a package held in memory
  zip* archive_ = nullptr;
};

}  // namespace quill
