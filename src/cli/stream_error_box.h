#pragma once

#include <ostream>
#include <string>

#include "base/error_trap.h"

namespace quill::cli {

// Prints each "Application Error" text to a stream, one line break for each line end,
// and counts them.
class StreamErrorBox final : public ErrorBox {
 public:
  explicit StreamErrorBox(std::ostream& stream) : stream_(stream) {}
  void show(const std::string& text) override;
  int count() const { return count_; }

 private:
  std::ostream& stream_;
  int count_ = 0;
};

}  // namespace quill::cli
