#pragma once

#include <vector>

#include "engine/comparison.h"

namespace quill::test {

// Records what a comparison says of its progress; stops it with ComparisonCancelled once it
// reports the row cancelAt, when set.
class RecordingProgress final : public ProgressSink {
 public:
  void setMaximum(long rows) override { maxima.push_back(rows); }
  void setValue(long row) override {
    values.push_back(row);
    if (cancelAt != 0 && row == cancelAt) throw ComparisonCancelled{};
  }

  std::vector<long> maxima, values;
  long cancelAt = 0;
};

}  // namespace quill::test
