#pragma once

#include "engine/comparison_options.h"
#include "sheet/read_options.h"

namespace quill {

// What the readers must read for a comparison under these options: the formulas only when
// they are compared, and of the rest what is compared, so that value comparisons do not pay for
// them; the texts' leading and trailing spaces are kept only when they are compared.
inline ReadOptions readOptionsFor(const ComparisonOptions& options) {
  ReadOptions read;
  read.formulas = options.formulas;
  read.contents = options.contents;
  read.keepSpaces = options.exactSpaces;
  return read;
}

}  // namespace quill
