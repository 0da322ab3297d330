#include "report/file_writer.h"

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

std::unique_ptr<PendingFile> writePending(const FileText& file) {
  auto pending = std::make_unique<PendingFile>(file.path);
  for (std::string_view piece : file.pieces) pending->write(piece);
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

void writeFilesTogether(const std::vector<FileText>& files) {
  std::vector<std::unique_ptr<PendingFile>> pending;
  std::vector<std::filesystem::path> targets;
  for (const FileText& file : files) {
    pending.push_back(writePending(file));
    targets.push_back(file.path);
  }
  replaceTogether(targets, [&](std::size_t i) { pending[i]->commit(); });
}

void moveFilesTogether(const std::vector<FileMove>& moves) {
  std::vector<std::filesystem::path> targets;
  for (const FileMove& move : moves) targets.push_back(move.to);
  replaceTogether(targets, [&](std::size_t i) {
    if (std::rename(moves[i].from.c_str(), moves[i].to.c_str()) != 0)
      failWriting(moves[i].to, errno);
  });
}

}  // namespace quill
