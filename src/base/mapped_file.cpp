#include "base/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace quill {

namespace {

[[noreturn]] void fail(const std::string& path, const std::string& reason) {
  throw std::runtime_error("\"" + path + "\": " + reason);
}

// Closes the descriptor when the constructor leaves; the mapping does not need it.
struct Descriptor {
  int fd;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

}  // namespace

MappedFile::MappedFile(const std::string& path) {
  const Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
  if (file.fd < 0) fail(path, std::strerror(errno));
  struct stat status {};
  if (::fstat(file.fd, &status) != 0) fail(path, std::strerror(errno));
  if (!S_ISREG(status.st_mode)) fail(path, "not a regular file");
  if (status.st_size == 0) return;
  void* mapped = ::mmap(nullptr, std::size_t(status.st_size), PROT_READ, MAP_PRIVATE, file.fd, 0);
  if (mapped == MAP_FAILED) fail(path, std::strerror(errno));
  data_ = static_cast<const char*>(mapped);
  size_ = std::size_t(status.st_size);
}

MappedFile::~MappedFile() {
  if (data_) ::munmap(const_cast<char*>(data_), size_);
}

}  // namespace quill
