#pragma once

#include <cstdio>
#include <ostream>
#include <string>
#include <string_view>

namespace quill {

// Where a rendering's bytes go. write() throws WriteError when they cannot be written.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual void write(std::string_view bytes) = 0;
};

// Bytes written to an output stream, such as the standard output; the name ("the standard
// output") is what a failure's message calls it.
class StreamByteSink final : public ByteSink {
 public:
  StreamByteSink(std::ostream& out, std::string name) : out_(out), name_(std::move(name)) {}
  void write(std::string_view bytes) override;
  // Flushes the stream; throws WriteError when anything written has not arrived.
  void flush();

 private:
  [[noreturn]] void fail() const;

  std::ostream& out_;
  std::string name_;
};

// Bytes kept in an anonymous temporary file, which the system removes however the program
// ends, until they are copied on whole: a rendering held back until it is complete.
class SpoolByteSink final : public ByteSink {
 public:
  SpoolByteSink();
  ~SpoolByteSink() override;
  SpoolByteSink(const SpoolByteSink&) = delete;
  SpoolByteSink& operator=(const SpoolByteSink&) = delete;

  void write(std::string_view bytes) override;
  // Writes everything held so far into the sink, from the start.
  void copyTo(ByteSink& sink);

 private:
  std::FILE* file_ = nullptr;
};

// Text gathered in a buffer and handed to a byte sink in large pieces.
class BufferedText {
 public:
  explicit BufferedText(ByteSink& sink) : sink_(sink) {}
  std::string& text() { return text_; }
  // Hands the buffer on once it holds enough to be worth a write.
  void flushWhenFull();
  void flush();

 private:
  ByteSink& sink_;
  std::string text_;
};

}  // namespace quill
