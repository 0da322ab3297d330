#include "cli/progress_line.h"

#include <unistd.h>

#include <algorithm>

#include "cli/listing_escapes.h"

namespace quill::cli {

namespace {

// Carriage return, then erase to the end of the line.
constexpr const char* kEraseLine = "\r\x1b[K";

// A line longer than the terminal would wrap, and the next one could not erase it.
constexpr std::size_t kWidestLine = 78;

// The text cut to the widest line, never inside a UTF-8 sequence.
std::string fitted(const std::string& text) {
  if (text.size() <= kWidestLine) return text;
  std::size_t end = kWidestLine;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end);
}

// Redrawing every row would cost more than comparing it: the line moves by hundredths.
constexpr long kSteps = 100;

}  // namespace

void ProgressLine::setReading(const std::string& path) {
  sheet_.clear();
  draw("reading " + path);
}

void ProgressLine::setSheet(const std::string& name) {
  sheet_ = name;
  maximum_ = 0;
  nextDrawnRow_ = 0;
  draw("comparing " + sheet_);
}

void ProgressLine::setMaximum(long rows) {
  maximum_ = rows;
  nextDrawnRow_ = 0;
}

void ProgressLine::setValue(long row) {
  if (!drawn_ || row < nextDrawnRow_) return;
  nextDrawnRow_ = row + std::max(1L, maximum_ / kSteps);
  std::string text = "comparing ";
  if (!sheet_.empty()) text += sheet_ + ", ";
  text += "row " + std::to_string(row);
  if (maximum_ > 0) text += " of " + std::to_string(maximum_);
  draw(text);
}

void ProgressLine::setWriting() {
  draw("writing report.htm and visualized.htm");
}

void ProgressLine::setText(const std::string& text) {
  draw(text);
}

void ProgressLine::clear() {
  if (!shown_) return;
  stream_ << kEraseLine << std::flush;
  shown_ = false;
}

void ProgressLine::draw(const std::string& text) {
  if (!drawn_) return;
  // Names of files and sheets may hold line breaks and escape sequences of their own.
  stream_ << kEraseLine << fitted(escapeForListing(text)) << std::flush;
  shown_ = true;
}

bool standardErrorIsTerminal() {
  return ::isatty(STDERR_FILENO) == 1;
}

}  // namespace quill::cli
