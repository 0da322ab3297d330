#include "report/signal_cleanup.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <string>

namespace quill {

namespace {

namespace fs = std::filesystem;

// A slot is claimed (used), then filled, then marked ready; the handler reads ready ones alone,
// so that it never acts on a half-copied path.
struct Slot {
  std::atomic<bool> used{false};
  std::atomic<bool> ready{false};
  bool folder = false;
  char path[4096] = {};
};

// Enough for every job of a folder comparison to hold its staging folder, its two document
// halves and the index or stream being written.
std::array<Slot, 128> slots;

// Removes the plain files of a folder with system calls alone, as a signal handler must;
// staging folders hold no subfolders.
void removeFilesIn(const char* path) noexcept {
  const int folder = ::open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) return;
  alignas(8) char buffer[4096];
  long got;
  while ((got = ::syscall(SYS_getdents64, folder, buffer, sizeof buffer)) > 0) {
    for (long offset = 0; offset < got;) {
      const auto* entry = reinterpret_cast<const struct dirent64*>(buffer + offset);
      const char* name = entry->d_name;
      if (std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0) ::unlinkat(folder, name, 0);
      offset += entry->d_reclen;
    }
  }
  ::close(folder);
}

// Other threads go on writing while the handler runs, and a file they add between the
// emptying and the removal keeps the folder; so the folder is emptied again until it goes.
void removeFlatFolder(const char* path) noexcept {
  for (int attempt = 0; attempt < 100; ++attempt) {
    removeFilesIn(path);
    if (::rmdir(path) == 0 || errno == ENOENT) return;
  }
}

void removeRegisteredAndEnd(int signal) {
  // Twice: a folder or file a thread registered while the first pass ran goes in the second.
  for (int pass = 0; pass < 2; ++pass) {
    for (Slot& slot : slots) {
      if (!slot.ready.load()) continue;
      if (slot.folder)
        removeFlatFolder(slot.path);
      else
        ::unlink(slot.path);
    }
  }
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

}  // namespace

SignalCleanup::SignalCleanup(const fs::path& path, Kind kind) {
  const std::string& text = path.native();
  if (text.size() >= sizeof(Slot::path)) return;
  for (std::size_t i = 0; i < slots.size(); ++i) {
    Slot& slot = slots[i];
    bool expected = false;
    if (slot.used.load() || !slot.used.compare_exchange_strong(expected, true)) continue;
    std::memcpy(slot.path, text.c_str(), text.size() + 1);
    slot.folder = kind == Kind::FlatFolder;
    slot.ready.store(true);
    slot_ = int(i);
    return;
  }
}

SignalCleanup::~SignalCleanup() {
  if (slot_ < 0) return;
  slots[std::size_t(slot_)].ready.store(false);
  slots[std::size_t(slot_)].used.store(false);
}

void removeRegisteredOnSignals() {
  struct sigaction action {};
  action.sa_handler = removeRegisteredAndEnd;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESETHAND;
  ::sigaction(SIGINT, &action, nullptr);
  ::sigaction(SIGTERM, &action, nullptr);
}

bool processRuns(pid_t pid) {
  return ::kill(pid, 0) == 0 || errno != ESRCH;
}

pid_t ownerAfter(std::string_view name, std::string_view prefix) {
  if (!name.starts_with(prefix)) return 0;
  name.remove_prefix(prefix.size());
  pid_t pid = 0;
  auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), pid);
  if (error != std::errc() || end == name.data() + name.size() || *end != '-') return 0;
  return pid > 0 ? pid : 0;
}

}  // namespace quill
