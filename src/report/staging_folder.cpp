#include "report/staging_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <string>
#include <string_view>

#include "report/pending_file.h"

namespace quill {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPrefix = ".quillmere-";

// A name for a new staging folder: the prefix, the process id and a random part.
fs::path stagingPathIn(const fs::path& parent) {
  static thread_local std::mt19937 random{std::random_device{}()};
  constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string name = std::string(kPrefix) + std::to_string(::getpid()) + "-";
  for (int i = 0; i < 8; ++i) name.push_back(kLetters[random() % kLetters.size()]);
  return parent / name;
}

}  // namespace

StagingFolder::StagingFolder(const fs::path& parent) {
  removeStaleStagingFolders(parent);
  // The folder is registered for the signal handler before it exists, so that no moment
  // passes in which an interruption would leave it behind.
  for (int attempt = 0;; ++attempt) {
    path_ = stagingPathIn(parent);
    cleanup_ = std::make_unique<SignalCleanup>(path_, SignalCleanup::Kind::FlatFolder);
    if (::mkdir(path_.c_str(), 0700) == 0) return;
    if (errno != EEXIST || attempt == 100) failWriting(parent, errno);
  }
}

StagingFolder::~StagingFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

void removeStaleStagingFolders(const fs::path& folder) {
  // Leftovers that cannot be listed or removed are no reason to refuse this run; they stay
  // for a later one.
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    const pid_t owner = ownerAfter(entry.path().filename().native(), kPrefix);
    std::error_code ignored;
    if (owner != 0 && !processRuns(owner) && entry.is_directory(ignored))
      fs::remove_all(entry.path(), ignored);
  }
}

void removeStagingOnSignals() {
  removeRegisteredOnSignals();
}

}  // namespace quill
