#pragma once

#include "engine/comparison.h"

namespace quill {

// Tells a progress sink how far a comparison has got through the rows of its area: the
// number of rows once before the first row, then how many rows are done after each row
// or folded stretch. An area without rows leaves the sink's maximum as it was.
class RowProgress {
 public:
  explicit RowProgress(ProgressSink& sink) : sink_(sink) {}

  void begin(long rowCount) {
    if (rowCount >= 1) sink_.setMaximum(rowCount);
  }
  void reached(long rowsDone) { sink_.setValue(rowsDone); }

 private:
  ProgressSink& sink_;
};

}  // namespace quill
