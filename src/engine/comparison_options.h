#pragma once

namespace quill {

// How loosely two cell texts may differ and still count as equal, and what else a
// comparison looks at; the defaults compare texts exactly, values only.
struct ComparisonOptions {
  // Two texts that both read as numbers are equal when they differ by no more than
  // absoluteTolerance, or by no more than relativeTolerance times the larger magnitude.
  double absoluteTolerance = 0;
  double relativeTolerance = 0;
  bool ignoreCase = false;
  bool ignoreSpaces = false;  // runs of blanks inside a text count as one
  bool formulas = false;      // cells are equal only when their formulas are equal too
};

}  // namespace quill
