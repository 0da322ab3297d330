#pragma once

#include <stop_token>

#include "base/error_trap.h"
#include "sheet/workbook_contents.h"

namespace quill {

class PasswordSource;

// What a reader reads besides the cells' values, and when it is to give up.
struct ReadOptions {
  // Each cell's formula as A1-style text; off by default, so that value comparisons do not
  // pay for it.
  bool formulas = false;
  // Once a stop is requested, the read throws ComparisonCancelled at its next check (every
  // inflated chunk, block of text or few thousand records); a token without a source, as
  // the command line gives, never stops it.
  std::stop_token stop{};
  // Where the password of an encrypted file comes from; without one such a file is refused
  // for want of a password.
  PasswordSource* passwords = nullptr;
  // Which file of a pair is read, 1 or 2: password requests and messages name it.
  int fileNumber = 1;
  // Texts keep their leading and trailing spaces instead of being trimmed; off by default.
  bool keepSpaces = false;
  // Notes, names, hidden and merged areas, formats and macros, each only when asked for.
  ContentsToRead contents{};
};

// Throws ComparisonCancelled when a stop has been requested; readers call it as they go.
inline void stopIfRequested(const std::stop_token& stop) {
  if (stop.stop_requested()) throw ComparisonCancelled{};
}

}  // namespace quill
