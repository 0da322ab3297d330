#pragma once

#include "engine/comparison_result.h"
#include "report/difference_counts.h"

namespace quill {

// A rendering of a result for scripts and terminals (text, CSV, JSON) that also tells what
// the result counted, for the totals of a document that holds several comparisons.
class ScriptRenderer : public ResultSink {
 public:
  virtual ResultTotal total() const = 0;
};

}  // namespace quill
