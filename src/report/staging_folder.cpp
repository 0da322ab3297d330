#include "report/staging_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <string>
#include <string_view>

#include "report/pending_file.h"

namespace quill {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPrefix = ".quillmere-";

// The staging folders that exist now, in a form a signal handler may read: fixed buffers
// claimed and released through an atomic flag, never allocated.
struct LiveSlot {
  std::atomic<bool> used{false};
  char path[4096] = {};
};
std::array<LiveSlot, 16> liveSlots;

int claimSlot(const fs::path& path) {
  const std::string& text = path.native();
  if (text.size() >= sizeof(LiveSlot::path)) return -1;
  for (std::size_t i = 0; i < liveSlots.size(); ++i) {
    LiveSlot& slot = liveSlots[i];
    if (!slot.used.load() && !slot.used.exchange(true)) {
      std::memcpy(slot.path, text.c_str(), text.size() + 1);
      return int(i);
    }
  }
  return -1;
}

// Removes a folder and the plain files in it with system calls alone, as a signal handler
// must; staging folders hold no subfolders.
void removeFlatFolder(const char* path) noexcept {
  const int folder = ::open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    alignas(8) char buffer[4096];
    long got;
    while ((got = ::syscall(SYS_getdents64, folder, buffer, sizeof buffer)) > 0) {
      for (long offset = 0; offset < got;) {
        const auto* entry = reinterpret_cast<const struct dirent64*>(buffer + offset);
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0)
          ::unlinkat(folder, name, 0);
        offset += entry->d_reclen;
      }
    }
    ::close(folder);
  }
  ::rmdir(path);
}

void removeLiveAndEnd(int signal) {
  for (LiveSlot& slot : liveSlots)
    if (slot.used.load()) removeFlatFolder(slot.path);
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

// The process id in a staging folder's name, or 0 when the name is not one of ours.
pid_t ownerOf(std::string_view name) {
  if (!name.starts_with(kPrefix)) return 0;
  name.remove_prefix(kPrefix.size());
  pid_t pid = 0;
  auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), pid);
  if (error != std::errc() || end == name.data() + name.size() || *end != '-') return 0;
  return pid > 0 ? pid : 0;
}

bool processRuns(pid_t pid) {
  return ::kill(pid, 0) == 0 || errno != ESRCH;
}

}  // namespace

StagingFolder::StagingFolder(const fs::path& parent) {
  removeStaleStagingFolders(parent);
  std::string pattern =
      (parent / (std::string(kPrefix) + std::to_string(::getpid()) + "-XXXXXX")).string();
  if (::mkdtemp(pattern.data()) == nullptr) failWriting(parent, errno);
  path_ = pattern;
  slot_ = claimSlot(path_);
}

StagingFolder::~StagingFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
  if (slot_ >= 0) liveSlots[std::size_t(slot_)].used.store(false);
}

void removeStaleStagingFolders(const fs::path& folder) {
  // Leftovers that cannot be listed or removed are no reason to refuse this run; they stay
  // for a later one.
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    const pid_t owner = ownerOf(entry.path().filename().native());
    std::error_code ignored;
    if (owner != 0 && !processRuns(owner) && entry.is_directory(ignored))
      fs::remove_all(entry.path(), ignored);
  }
}

void removeStagingOnSignals() {
  struct sigaction action {};
  action.sa_handler = removeLiveAndEnd;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESETHAND;
  ::sigaction(SIGINT, &action, nullptr);
  ::sigaction(SIGTERM, &action, nullptr);
}

}  // namespace quill
