#include "report/pending_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <string>

#include "report/file_writer.h"
#include "report/signal_cleanup.h"

namespace quill {

namespace {

thread_local WriteCallOverride* activeOverride = nullptr;
thread_local std::shared_ptr<const WriteCall> activeCall;

ssize_t writeCall(const WriteCall* call, int fd, const void* data, std::size_t size) {
  return call ? (*call)(fd, data, size) : ::write(fd, data, size);
}

}  // namespace

void failWriting(const std::filesystem::path& path, int error) {
  throw WriteError(path.string(),
                   "Cannot write \"" + path.string() + "\": " + std::strerror(error));
}

std::filesystem::path hiddenPathBeside(const std::filesystem::path& path, std::string_view suffix) {
  static thread_local std::mt19937 random{std::random_device{}()};
  std::string name = "." + path.filename().string() + "." + std::to_string(::getpid()) + "-" +
                     std::to_string(random() % 1000000);
  name.append(suffix);
  return path.parent_path() / name;
}

void removeStalePartFiles(const std::filesystem::path& folder) {
  constexpr std::string_view kPart = ".part";
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (!name.starts_with(".") || !name.ends_with(kPart)) continue;
    const std::string_view stem = std::string_view(name).substr(0, name.size() - kPart.size());
    const std::size_t dot = stem.rfind('.');
    if (dot == 0 || dot == std::string_view::npos) continue;
    const pid_t owner = ownerAfter(stem.substr(dot + 1), "");
    std::error_code ignored;
    if (owner != 0 && !processRuns(owner) && entry.is_regular_file(ignored))
      std::filesystem::remove(entry.path(), ignored);
  }
}

FileKind fileKind(const std::filesystem::path& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return FileKind::Absent;
  if (S_ISREG(status.st_mode)) return FileKind::Regular;
  if (S_ISDIR(status.st_mode)) return FileKind::Folder;
  return FileKind::Special;
}

std::filesystem::path writeTarget(const std::filesystem::path& path) {
  std::filesystem::path current = path;
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code error;
    if (!std::filesystem::is_symlink(current, error)) return current;
    const std::filesystem::path link = std::filesystem::read_symlink(current, error);
    if (error) failWriting(path, error.value());
    current = link.is_absolute() ? link : current.parent_path() / link;
  }
  failWriting(path, ELOOP);
}

void keepModeOf(const std::filesystem::path& old, int fd) {
  struct stat status {};
  if (::stat(old.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return;
  if (::fchmod(fd, status.st_mode & 07777) != 0) failWriting(old, errno);
}

PendingFile::PendingFile(std::filesystem::path target, std::filesystem::path shownAs)
    : target_(writeTarget(target)),
      shownAs_(shownAs.empty() ? target_ : std::move(shownAs)),
      temporary_(hiddenPathBeside(target_, ".part")) {
  // A device, a pipe or a socket is never replaced by a plain file, nor is a folder.
  if (const FileKind kind = fileKind(target_); kind == FileKind::Folder)
    throw WriteError(shownAs_.string(),
                     "Cannot write \"" + shownAs_.string() + "\": it is a folder");
  else if (kind == FileKind::Special)
    throw WriteError(shownAs_.string(), "Cannot write \"" + shownAs_.string() +
                                            "\": it is not a plain file and is left as it is");
  removeStalePartFiles(target_.parent_path().empty() ? "." : target_.parent_path());
  cleanup_ = std::make_unique<SignalCleanup>(temporary_, SignalCleanup::Kind::File);
  fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd_ < 0) failWriting(shownAs_, errno);
  keepModeOf(target_, fd_);
}

PendingFile::~PendingFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!committed_) ::unlink(temporary_.c_str());
}

void PendingFile::write(std::string_view text) {
  write(text, activeCall);
}

void PendingFile::write(std::string_view text, const std::shared_ptr<const WriteCall>& call) {
  while (!text.empty()) {
    const ssize_t written = writeCall(call.get(), fd_, text.data(), text.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      failWriting(shownAs_, errno);
    }
    // A write that takes nothing would repeat forever; the disk has no room.
    if (written == 0) failWriting(shownAs_, ENOSPC);
    text.remove_prefix(std::size_t(written));
  }
}

void PendingFile::finish() {
  if (::fsync(fd_) != 0 && errno != EINVAL) failWriting(shownAs_, errno);
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) failWriting(shownAs_, errno);
}

void PendingFile::commit() {
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) failWriting(shownAs_, errno);
  committed_ = true;
  cleanup_.reset();
}

WriteCallOverride::WriteCallOverride(Call call)
    : call_(std::make_shared<const WriteCall>(std::move(call))), previous_(activeOverride) {
  activeOverride = this;
  activeCall = call_;
}

WriteCallOverride::~WriteCallOverride() {
  activeOverride = previous_;
  activeCall = previous_ ? previous_->call_ : nullptr;
}

std::shared_ptr<const WriteCall> currentWriteCall() {
  return activeCall;
}

}  // namespace quill
