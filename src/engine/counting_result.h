#pragma once

#include "engine/comparison_result.h"

namespace quill {

// Passes a comparison's result on to a sink and counts the differences listed on the way.
// Once the sink has thrown, nothing more reaches it and it is never told to finish, so that
// a result missing a part is never completed as if it were whole.
class CountingResult final : public ResultSink {
 public:
  explicit CountingResult(ResultSink& sink) : sink_(sink) {}

  void begin(const ResultHeading& heading) override;
  void beginTable(const TableStart& table) override;
  void line(const Line& line) override;
  void endTable() override;
  void finish() override;

  long differences() const { return differences_; }
  // The sink finished: every part of the result reached it.
  bool finished() const { return finished_; }

 private:
  template <class Call>
  void pass(Call&& call);

  ResultSink& sink_;
  long differences_ = 0;
  bool oneSidedTable_ = false;
  bool failed_ = false;
  bool finished_ = false;
};

// How many cell pairs of the line the difference list reports; an added or removed row is
// one, but in a table of a sheet that only one file has.
long listedDifferences(const Line& line, bool oneSidedTable = false);

// How many differences the difference list reports for a table as a whole: added and removed
// columns, an added, removed, renamed or moved sheet.
long tableDifferences(const TableStart& table);

}  // namespace quill
