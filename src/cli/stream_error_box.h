#pragma once

#include <functional>
#include <ostream>
#include <string>

#include "base/error_trap.h"

namespace quill::cli {

// Prints each failure a trap reports as one line, a prefix such as "quillmere-cli compare: "
// and the failure's plain description, and counts them. The windows' box text, with its
// program location and its request for a screenshot, is not for the command line.
class StreamErrorBox final : public ErrorBox {
 public:
  StreamErrorBox(std::ostream& stream, std::string prefix)
      : stream_(stream), prefix_(std::move(prefix)) {}
  void show(const std::string& text) override;
  void showFailure(std::string_view description, const std::string& text) override;
  // Runs the call before each line is printed, such as erasing a progress line.
  void beforeEachLine(std::function<void()> call) { beforeEachLine_ = std::move(call); }
  int count() const { return count_; }

 private:
  std::ostream& stream_;
  std::string prefix_;
  std::function<void()> beforeEachLine_;
  int count_ = 0;
};

}  // namespace quill::cli
