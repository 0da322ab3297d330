#pragma once

#include "cli/stream_error_box.h"
#include "engine/comparison_result.h"

namespace quill::cli {

// Passes a comparison's result on to the documents but completes them only when the run
// reported no failure, so that a run with any failure leaves the old pair where it was.
class CleanRunResult final : public ResultSink {
 public:
  CleanRunResult(ResultSink& documents, const StreamErrorBox& errors)
      : documents_(documents), errors_(errors) {}

  void begin(const ResultHeading& heading) override { documents_.begin(heading); }
  void beginTable(const TableStart& table) override { documents_.beginTable(table); }
  void line(const Line& line) override { documents_.line(line); }
  void contents(std::span<const ContentItem> items) override { documents_.contents(items); }
  void endTable() override { documents_.endTable(); }
  void finish() override {
    if (errors_.count() == 0) documents_.finish();
  }

 private:
  ResultSink& documents_;
  const StreamErrorBox& errors_;
};

}  // namespace quill::cli
