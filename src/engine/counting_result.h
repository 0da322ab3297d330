#pragma once

#include "engine/comparison.h"
#include "engine/comparison_result.h"
#include "engine/result_tally.h"

namespace quill {

// Passes a comparison's result on to a sink and tallies it on the way, by the same rule as
// every rendering of it. Once the sink has thrown, nothing more reaches it and it is never
// told to finish, so that a result missing a part is never completed as if it were whole.
class CountingResult final : public ResultSink {
 public:
  explicit CountingResult(ResultSink& sink) : sink_(sink) {}

  void begin(const ResultHeading& heading) override;
  void beginTable(const TableStart& table) override;
  void line(const Line& line) override;
  void contents(std::span<const ContentItem> items) override;
  void endTable() override;
  void finish() override;

  long differences() const { return tally_.total().counts.differences(); }
  // The sink finished: every part of the result reached it.
  bool finished() const { return finished_; }
  // What the comparison found, as the command line's summary and exit code tell it.
  ComparisonOutcome outcome() const;

 private:
  template <class Call>
  void pass(Call&& call);

  ResultSink& sink_;
  ResultTally tally_{false};
  bool failed_ = false;
  bool finished_ = false;
};

}  // namespace quill
