#pragma once

#include <ostream>
#include <string>

#include "engine/comparison.h"

namespace quill::cli {

// The one line on standard error that tells a user at a terminal what a long run is doing:
// reading a file, comparing a worksheet at a row, writing the documents. Each state
// overwrites the last in place, and clear() leaves the line empty for the summary. A line
// that is not drawn (a pipe, --quiet) writes nothing at all.
class ProgressLine final : public ProgressSink {
 public:
  ProgressLine(std::ostream& stream, bool drawn) : stream_(stream), drawn_(drawn) {}
  ~ProgressLine() override { clear(); }
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  void setReading(const std::string& path);
  void setSheet(const std::string& name) override;
  void setMaximum(long rows) override;
  void setValue(long row) override;
  void setWriting() override;
  // Shows a text of the caller's own, such as a count of pairs compared.
  void setText(const std::string& text);
  void clear();

 private:
  void draw(const std::string& text);

  std::ostream& stream_;
  bool drawn_;
  bool shown_ = false;
  std::string sheet_;
  long maximum_ = 0;
  long nextDrawnRow_ = 0;
};

// True when standard error is a terminal.
bool standardErrorIsTerminal();

}  // namespace quill::cli
