#include "review/package_copy.h"

#include <fcntl.h>
#include <unistd.h>
#include <zip.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "report/file_writer.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

// Copies the file, naming the system's reason when it fails (a full disk, say).
void copyFile(const fs::path& source, const fs::path& target) {
  const int from = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
  if (from < 0) throw WriteError(std::strerror(errno));
  const int to = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (to < 0) {
    const int error = errno;
    ::close(from);
    throw WriteError(std::strerror(error));
  }
  std::vector<char> buffer(std::size_t(1) << 20);
  int error = 0;
  while (error == 0) {
    const ssize_t got = ::read(from, buffer.data(), buffer.size());
    if (got <= 0) {
      error = got < 0 ? errno : 0;
      break;
    }
    for (ssize_t done = 0; done < got && error == 0;) {
      const ssize_t put = ::write(to, buffer.data() + done, std::size_t(got - done));
      if (put < 0) error = errno;
      done += put < 0 ? 0 : put;
    }
  }
  ::close(from);
  if (::close(to) != 0 && error == 0) error = errno;
  if (error != 0) throw WriteError(std::strerror(error));
}

}  // namespace

PackageCopy::PackageCopy(const fs::path& source, const fs::path& target) {
  copyFile(source, target);
  int code = 0;
  archive_ = zip_open(target.c_str(), 0, &code);
  if (archive_ == nullptr) {
    zip_error_t details;
    zip_error_init_with_code(&details, code);
    const std::string reason = zip_error_strerror(&details);
    zip_error_fini(&details);
    throw WriteError(reason);
  }
}

PackageCopy::~PackageCopy() {
  if (archive_ != nullptr) zip_discard(archive_);
}

void PackageCopy::fail(const std::string& what) {
  throw WriteError(what + " (" + zip_strerror(archive_) + ")");
}

void PackageCopy::put(const std::string& entry, zip_source_t* source) {
  if (source == nullptr) fail("cannot write the part \"" + entry + "\"");
  // A part is replaced by leaving out the old entry and adding a new one: libzip keeps the
  // old entry's slowest packing level for a replaced one, whatever level is asked for.
  const zip_int64_t old = zip_name_locate(archive_, entry.c_str(), 0);
  if (old >= 0 && zip_delete(archive_, zip_uint64_t(old)) != 0) {
    zip_source_free(source);
    fail("cannot replace the part \"" + entry + "\"");
  }
  const zip_int64_t index = zip_file_add(archive_, entry.c_str(), source, ZIP_FL_ENC_UTF_8);
  if (index < 0) {
    zip_source_free(source);
    fail("cannot add the part \"" + entry + "\"");
  }
  // The fastest packing: the rewritten parts are the large ones, and time counts more here.
  zip_set_file_compression(archive_, zip_uint64_t(index), ZIP_CM_DEFLATE, 1);
}

void PackageCopy::putText(const std::string& entry, std::string text) {
  texts_.push_back(std::move(text));
  put(entry, zip_source_buffer(archive_, texts_.back().data(), texts_.back().size(), 0));
}

void PackageCopy::putFile(const std::string& entry, const fs::path& file) {
  put(entry, zip_source_file(archive_, file.c_str(), 0, -1));
}

void PackageCopy::close() {
  if (zip_close(archive_) != 0) fail("cannot write the package");
  archive_ = nullptr;
}

}  // namespace quill
