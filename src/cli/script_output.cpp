#include "cli/script_output.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <string>

#include "report/file_writer.h"

namespace quill::cli {

namespace fs = std::filesystem;

bool readScriptFormat(std::string_view text, std::optional<ScriptFormat>& format) {
  if (text == "html")
    format.reset();
  else if (text == "text")
    format = ScriptFormat::Text;
  else if (text == "csv")
    format = ScriptFormat::Csv;
  else if (text == "json")
    format = ScriptFormat::Json;
  else
    return false;
  return true;
}

namespace {

// Bytes written straight into a device, a pipe or a socket that stands at a path, which is
// opened as it is and never replaced.
class SpecialFileSink final : public ByteSink {
 public:
  explicit SpecialFileSink(const fs::path& path) : path_(path), fd_(openInPlace(path)) {}
  ~SpecialFileSink() override { ::close(fd_); }
  SpecialFileSink(const SpecialFileSink&) = delete;
  SpecialFileSink& operator=(const SpecialFileSink&) = delete;

  void write(std::string_view bytes) override {
    while (!bytes.empty()) {
      const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) failWriting(path_, written < 0 ? errno : ENOSPC);
      bytes.remove_prefix(std::size_t(written));
    }
  }

 private:
  // A descriptor named by its path is duplicated, so that the stream continues where the
  // shell's redirection stands (appending, say) rather than from the start; a socket takes
  // no open() and is connected to as a stream.
  static int openInPlace(const fs::path& path) {
    if (const int named = namedDescriptor(path); named >= 0) {
      const int fd = ::fcntl(named, F_DUPFD_CLOEXEC, 3);
      if (fd < 0) failWriting(path, errno);
      return fd;
    }
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0 && S_ISSOCK(status.st_mode)) return connectTo(path);
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) failWriting(path, errno);
    return fd;
  }

  static int connectTo(const fs::path& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.native().size() >= sizeof address.sun_path) failWriting(path, ENAMETOOLONG);
    std::memcpy(address.sun_path, path.c_str(), path.native().size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) failWriting(path, errno);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
      const int error = errno;
      ::close(fd);
      failWriting(path, error);
    }
    return fd;
  }

  fs::path path_;
  int fd_;
};

}  // namespace

int namedDescriptor(const fs::path& path) {
  const std::string& text = path.native();
  if (text == "/dev/stdout") return STDOUT_FILENO;
  if (text == "/dev/stderr") return STDERR_FILENO;
  for (std::string_view folder : {"/dev/fd/", "/proc/self/fd/"}) {
    if (!text.starts_with(folder)) continue;
    int fd = -1;
    const char* end = text.data() + text.size();
    auto [at, error] = std::from_chars(text.data() + folder.size(), end, fd);
    if (error == std::errc() && at == end && fd >= 0) return fd;
  }
  return -1;
}

bool namesStandardOutput(const std::optional<fs::path>& file) {
  return !file || *file == "-" || namedDescriptor(*file) == STDOUT_FILENO;
}

ScriptDestination::ScriptDestination(const std::optional<fs::path>& file, std::ostream& out,
                                     const std::vector<fs::path>& inputs)
    : out_(out) {
  if (!file || *file == "-" || namedDescriptor(*file) >= 0 ||
      fileKind(*file) == FileKind::Special) {
    // The standard output, a device, a pipe or a socket gets the stream once it is complete.
    spool_ = std::make_unique<SpoolByteSink>();
    if (file && *file != "-") special_ = *file;
    return;
  }
  if (fileKind(*file) == FileKind::Folder)
    throw WriteError(file->string(), "Cannot write \"" + file->string() +
                                         "\": it is a folder; --output takes a file");
  for (const fs::path& input : inputs) {
    std::error_code error;
    if (fs::equivalent(writeTarget(*file), input, error) && !error)
      throw WriteError("Cannot write \"" + file->string() + "\": it is the input file \"" +
                       input.string() + "\"; choose another file");
  }
  file_ = std::make_unique<PendingFile>(*file);
}

void ScriptDestination::write(std::string_view bytes) {
  if (file_)
    file_->write(bytes);
  else
    spool_->write(bytes);
}

void ScriptDestination::commit() {
  if (file_) {
    file_->finish();
    file_->commit();
    return;
  }
  if (special_) {
    SpecialFileSink sink(*special_);
    spool_->copyTo(sink);
    return;
  }
  StreamByteSink stream(out_, "the standard output");
  spool_->copyTo(stream);
  stream.flush();
}

bool standardOutputIsTerminal() {
  return ::isatty(STDOUT_FILENO) == 1;
}

bool colourWanted(bool outIsTerminal) {
  const char* noColour = std::getenv("NO_COLOR");
  const char* term = std::getenv("TERM");
  return outIsTerminal && (noColour == nullptr || *noColour == '\0') &&
         !(term != nullptr && std::string_view(term) == "dumb");
}

}  // namespace quill::cli
