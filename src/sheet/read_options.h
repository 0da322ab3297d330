#pragma once

namespace quill {

// What a reader reads besides the cells' values.
struct ReadOptions {
  // Each cell's formula as A1-style text; off by default, so that value comparisons do not
  // pay for it.
  bool formulas = false;
};

}  // namespace quill
