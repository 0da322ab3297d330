#include "report/file_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <memory>

#include "report/pending_file.h"

namespace quill {

namespace {

// An old file moved under a hidden name while its replacement goes in, so that it can be
// put back; dropped once the whole set is in place.
class SetAside {
 public:
  explicit SetAside(const std::filesystem::path& target)
      : target_(target), aside_(hiddenPathBeside(target, ".old")) {
    // A folder of that name is not an old document; it is neither replaced nor moved.
    std::error_code ignored;
    if (std::filesystem::is_directory(target_, ignored)) failWriting(target_, EISDIR);
    if (std::rename(target_.c_str(), aside_.c_str()) == 0)
      held_ = true;
    else if (errno != ENOENT)
      failWriting(target_, errno);
  }
  ~SetAside() {
    if (held_) std::remove(aside_.c_str());
  }
  SetAside(const SetAside&) = delete;
  SetAside& operator=(const SetAside&) = delete;

  // Returns the old file to its place, or removes the new one when there was none. Should
  // that fail, the old file stays under its hidden name rather than being removed.
  void putBack() noexcept {
    if (held_)
      std::rename(aside_.c_str(), target_.c_str());
    else
      std::remove(target_.c_str());
    held_ = false;
  }

 private:
  std::filesystem::path target_;
  std::filesystem::path aside_;
  bool held_ = false;
};

// A file opened for reading, closed when it goes.
struct FileDescriptor {
  explicit FileDescriptor(const std::filesystem::path& path)
      : fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    if (fd < 0) failWriting(path, errno);
  }
  ~FileDescriptor() { ::close(fd); }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int fd;
};

// A finished copy of the file, waiting beside the target.
std::unique_ptr<PendingFile> copyPending(const std::filesystem::path& from,
                                         const std::filesystem::path& target) {
  const FileDescriptor source(from);
  auto pending = std::make_unique<PendingFile>(target);
  char buffer[1 << 16];
  ssize_t got;
  while ((got = ::read(source.fd, buffer, sizeof buffer)) != 0) {
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) failWriting(target, errno);
    pending->write(std::string_view(buffer, std::size_t(got)));
  }
  pending->finish();
  return pending;
}

// Puts each target's replacement in place by place(i) after setting its old file aside;
// should one fail, every target gets its old file back.
template <class Place>
void replaceTogether(const std::vector<std::filesystem::path>& targets, Place place) {
  std::vector<std::unique_ptr<SetAside>> setAside;
  try {
    for (std::size_t i = 0; i < targets.size(); ++i) {
      setAside.push_back(std::make_unique<SetAside>(targets[i]));
      place(i);
    }
  } catch (const WriteError&) {
    for (auto& old : setAside) old->putBack();
    throw;
  }
}

}  // namespace

void writeFileReplacing(const std::filesystem::path& path,
                        std::initializer_list<std::string_view> pieces) {
  PendingFile file(path);
  for (std::string_view piece : pieces) file.write(piece);
  file.finish();
  file.commit();
}

void moveFilesTogether(const std::vector<FileMove>& moves) {
  // A target reached through a link may lie in another file system, where no rename leads;
  // such a file is copied beside its target first, before anything is replaced.
  std::vector<std::filesystem::path> targets;
  std::vector<std::unique_ptr<PendingFile>> copies(moves.size());
  for (std::size_t i = 0; i < moves.size(); ++i) {
    targets.push_back(writeTarget(moves[i].to));
    if (targets[i] != moves[i].to) {
      copies[i] = copyPending(moves[i].from, targets[i]);
    } else {
      const FileDescriptor file(moves[i].from);
      keepModeOf(targets[i], file.fd);
    }
  }
  replaceTogether(targets, [&](std::size_t i) {
    if (copies[i])
      copies[i]->commit();
    else if (std::rename(moves[i].from.c_str(), targets[i].c_str()) != 0)
      failWriting(targets[i], errno);
  });
}

}  // namespace quill
