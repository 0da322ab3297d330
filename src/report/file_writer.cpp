#include "report/file_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <string>

namespace quill {

namespace {

[[noreturn]] void fail(const std::filesystem::path& path, int error) {
  throw WriteError("Cannot write \"" + path.string() + "\": " + std::strerror(error));
}

std::filesystem::path temporaryBeside(const std::filesystem::path& path) {
  static thread_local std::mt19937 random{std::random_device{}()};
  auto name = "." + path.filename().string() + "." + std::to_string(random() % 1000000) + ".part";
  return path.parent_path() / name;
}

}  // namespace

void writeFileReplacing(const std::filesystem::path& path,
                        std::initializer_list<std::string_view> pieces) {
  const std::filesystem::path temporary = temporaryBeside(path);
  int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) fail(path, errno);
  auto abandon = [&](int error) {
    ::close(fd);
    ::unlink(temporary.c_str());
    fail(path, error);
  };
  for (std::string_view piece : pieces) {
    while (!piece.empty()) {
      ssize_t written = ::write(fd, piece.data(), piece.size());
      if (written < 0) {
        if (errno == EINTR) continue;
        abandon(errno);
      }
      piece.remove_prefix(std::size_t(written));
    }
  }
  if (::fsync(fd) != 0 && errno != EINVAL) abandon(errno);
  if (::close(fd) != 0) {
    int error = errno;
    ::unlink(temporary.c_str());
    fail(path, error);
  }
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    int error = errno;
    ::unlink(temporary.c_str());
    fail(path, error);
  }
}

}  // namespace quill
