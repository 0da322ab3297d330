#include "report/document_stream.h"

namespace quill {

DocumentStream::DocumentStream(const std::filesystem::path& path,
                               const std::filesystem::path& shownAs)
    : file_(path, shownAs) {
  text_.reserve(2 * kBlock);
  writer_ = std::thread([this] { writeBlocks(); });
}

DocumentStream::~DocumentStream() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    queued_.clear();
  }
  changed_.notify_all();
  writer_.join();
}

void DocumentStream::flush() {
  if (text_.size() < kBlock) return;
  handOver();
}

void DocumentStream::finish(std::string_view tail) {
  text_.append(tail);
  handOver();
  waitUntilWritten();
  file_.finish();
}

void DocumentStream::handOver() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return failure_ || queued_.size() < kMostQueued; });
  rethrowFailure();
  std::string next;
  if (!spare_.empty()) {
    next = std::move(spare_.back());
    spare_.pop_back();
  } else {
    next.reserve(2 * kBlock);
  }
  handedOver_ += text_.size();
  queued_.push_back({std::move(text_), currentWriteCall()});
  text_ = std::move(next);
  lock.unlock();
  changed_.notify_all();
}

void DocumentStream::waitUntilWritten() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return failure_ || (queued_.empty() && !writing_); });
  rethrowFailure();
}

void DocumentStream::rethrowFailure() {
  if (failure_) std::rethrow_exception(failure_);
}

void DocumentStream::writeBlocks() {
  std::unique_lock lock(mutex_);
  while (true) {
    changed_.wait(lock, [this] { return stopping_ || !queued_.empty(); });
    if (stopping_) return;
    Block block = std::move(queued_.front());
    queued_.pop_front();
    writing_ = true;
    lock.unlock();
    std::exception_ptr failure;
    try {
      file_.write(block.text, block.call);
    } catch (...) {
      failure = std::current_exception();
    }
    block.text.clear();
    lock.lock();
    writing_ = false;
    if (failure) {
      // Nothing after a failed block is written: the document is lost either way.
      failure_ = failure;
      queued_.clear();
    } else if (spare_.size() < 2) {
      spare_.push_back(std::move(block.text));
    }
    changed_.notify_all();
  }
}

}  // namespace quill
