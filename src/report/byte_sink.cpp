#include "report/byte_sink.h"

#include <cerrno>
#include <cstring>

#include "report/file_writer.h"

namespace quill {

namespace {

constexpr std::size_t kBufferBytes = std::size_t(1) << 16;

}  // namespace

void StreamByteSink::fail() const {
  const int error = errno;
  throw WriteError(name_, "Cannot write " + name_ + ": " +
                              (error != 0 ? std::strerror(error) : "the write failed"));
}

void StreamByteSink::write(std::string_view bytes) {
  out_.write(bytes.data(), std::streamsize(bytes.size()));
  if (!out_) fail();
}

void StreamByteSink::flush() {
  if (!out_.flush()) fail();
}

SpoolByteSink::SpoolByteSink() : file_(std::tmpfile()) {
  if (file_ == nullptr)
    throw WriteError("Cannot make a temporary file: " + std::string(std::strerror(errno)));
}

SpoolByteSink::~SpoolByteSink() {
  std::fclose(file_);
}

void SpoolByteSink::write(std::string_view bytes) {
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
    throw WriteError("Cannot write a temporary file: " + std::string(std::strerror(errno)));
}

void SpoolByteSink::copyTo(ByteSink& sink) {
  if (std::fflush(file_) != 0 || std::fseek(file_, 0, SEEK_SET) != 0)
    throw WriteError("Cannot read a temporary file: " + std::string(std::strerror(errno)));
  std::string block(kBufferBytes, '\0');
  for (std::size_t got; (got = std::fread(block.data(), 1, block.size(), file_)) > 0;)
    sink.write(std::string_view(block.data(), got));
  if (std::ferror(file_) != 0) throw WriteError("Cannot read a temporary file");
  std::fseek(file_, 0, SEEK_END);
}

void BufferedText::flushWhenFull() {
  if (text_.size() >= kBufferBytes) flush();
}

void BufferedText::flush() {
  if (text_.empty()) return;
  sink_.write(text_);
  text_.clear();
}

}  // namespace quill
