#pragma once

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>

namespace quill {

class SignalCleanup;

// Throws WriteError naming the path and the system's reason for the error number.
[[noreturn]] void failWriting(const std::filesystem::path& path, int error);

// A path in the same folder under a hidden name that carries the process id and a random
// part and ends in the suffix: ".NAME.PID-NNNNNN.part".
std::filesystem::path hiddenPathBeside(const std::filesystem::path& path, std::string_view suffix);

// Removes the part files that processes no longer running left in the folder: hidden files
// named as hiddenPathBeside() names them, ending in ".part". Leftovers that cannot be listed
// or removed stay for a later run.
void removeStalePartFiles(const std::filesystem::path& folder);

// What stands at a path, links followed.
enum class FileKind { Absent, Regular, Folder, Special };
FileKind fileKind(const std::filesystem::path& path);

// The file that writing to the path replaces: the path itself, or, where it is a symbolic
// link, the file the link leads to, so that the link stays and its target gets the text.
// Throws WriteError on a loop of links.
std::filesystem::path writeTarget(const std::filesystem::path& path);

// Gives the file (an open descriptor) the permission bits of the old file at the path, when
// there is one, so that replacing a file keeps its mode. Throws WriteError.
void keepModeOf(const std::filesystem::path& old, int fd);

// The system's write call, or what stands in for it in a test.
using WriteCall = std::function<ssize_t(int fd, const void* data, std::size_t size)>;

// A new file written beside its final path under a hidden name; commit() renames it into
// place, and until then the destructor removes it, so that no half-written file remains.
// The final path is the writeTarget() of the path given, and the new file takes the mode
// of the file it replaces. A target that is a folder, a device, a pipe or a socket is
// refused (WriteError) before anything is written; the part files of processes no longer
// running are removed from the folder, and SIGINT and SIGTERM remove this one.
// Every failure throws WriteError naming the final path, or the path given as shownAs (a file
// written in a staging folder is named where it will end up), and the reason.
class PendingFile {
 public:
  explicit PendingFile(std::filesystem::path target, std::filesystem::path shownAs = {});
  ~PendingFile();
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  const std::filesystem::path& target() const { return target_; }
  void write(std::string_view text);
  // Writes through the write call given (see currentWriteCall), for text written on
  // another thread than the one that produced it.
  void write(std::string_view text, const std::shared_ptr<const WriteCall>& call);
  // Flushes the text to the disk and closes the file.
  void finish();
  // Replaces the target with the finished file.
  void commit();

 private:
  std::filesystem::path target_;
  std::filesystem::path shownAs_;
  std::filesystem::path temporary_;
  std::unique_ptr<SignalCleanup> cleanup_;
  int fd_ = -1;
  bool committed_ = false;
};

// Stands in for the system's write call of this thread's pending files while it lives, so
// that tests can make a write fail part way as on a full disk. Text this thread hands to
// another for writing carries the call along (currentWriteCall).
class WriteCallOverride {
 public:
  using Call = WriteCall;
  explicit WriteCallOverride(Call call);
  ~WriteCallOverride();
  WriteCallOverride(const WriteCallOverride&) = delete;
  WriteCallOverride& operator=(const WriteCallOverride&) = delete;

 private:
  std::shared_ptr<const Call> call_;
  WriteCallOverride* previous_;
};

// The write call standing in on this thread, or null for the system's own.
std::shared_ptr<const WriteCall> currentWriteCall();

}  // namespace quill
