#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "report/pending_file.h"

namespace quill {

// A document written piece by piece: text is appended to a buffer, which is handed to a
// writer thread whenever it has grown past a block, so that a document of any length takes
// a few blocks of memory and the comparison goes on while the system copies the text out.
// Failures throw WriteError naming the document by the path given as shownAs: a failed
// write is thrown by the next flush() or by finish().
class DocumentStream {
 public:
  DocumentStream(const std::filesystem::path& path, const std::filesystem::path& shownAs);
  // Drops what is not written yet; the unfinished file is removed.
  ~DocumentStream();
  DocumentStream(const DocumentStream&) = delete;
  DocumentStream& operator=(const DocumentStream&) = delete;

  // The buffer to append to; flush() passes it on.
  std::string& text() { return text_; }
  // How many bytes the document holds so far: where the next text appended will stand.
  std::uint64_t offset() const { return handedOver_ + text_.size(); }
  // Hands the buffer to the writer once it holds a block or more.
  void flush();
  // Writes what is left and the tail, and flushes the file to the disk.
  void finish(std::string_view tail);
  // Puts the finished file at its path.
  void commit() { file_.commit(); }

 private:
  static constexpr std::size_t kBlock = 1 << 16;
  // Blocks waiting for the writer; the comparison waits when this many are queued.
  static constexpr std::size_t kMostQueued = 16;

  // A block and the write call of the thread that made it (a test's stand-in, if any).
  struct Block {
    std::string text;
    std::shared_ptr<const WriteCall> call;
  };

  void handOver();
  void waitUntilWritten();
  void rethrowFailure();
  void writeBlocks();

  PendingFile file_;
  std::string text_;
  std::uint64_t handedOver_ = 0;  // bytes passed to the writer before text_
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Block> queued_;
  std::vector<std::string> spare_;  // written blocks' buffers, kept for reuse
  bool writing_ = false;            // whether the writer holds a block taken off the queue
  bool stopping_ = false;
  std::exception_ptr failure_;
  std::thread writer_;
};

}  // namespace quill
