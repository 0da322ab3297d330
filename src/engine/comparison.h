#pragma once

#include <functional>
#include <string>

#include "engine/comparison_result.h"
#include "engine/request.h"

namespace quill {

class ErrorBox;
struct SpreadsheetSession;

// Where a comparison reports how far it has got: row r of n, the worksheet it is in and
// when it writes the documents. Any call may throw ComparisonCancelled to stop the
// comparison. Sinks that show rows alone leave the other two as they are.
class ProgressSink {
 public:
  virtual ~ProgressSink() = default;
  virtual void setMaximum(long rows) = 0;
  virtual void setValue(long row) = 0;
  virtual void setSheet(const std::string& name) { (void)name; }
  virtual void setWriting() {}
};

// A progress sink that ignores everything.
class NoProgress final : public ProgressSink {
 public:
  void setMaximum(long) override {}
  void setValue(long) override {}
};

// What a comparison reads and where it tells what it found: the request, the open session,
// the sink that receives the result, and the sinks for progress and errors.
struct ComparisonContext {
  const ComparisonRequest& request;
  SpreadsheetSession& session;
  ResultSink& result;
  ProgressSink& progress;
  ErrorBox& errors;
  std::function<std::string()> now;  // the date line of the result; empty: the local time
};

// What a comparison found, for the command line's summary and the windows.
struct ComparisonOutcome {
  long differences = 0;
  long sheetsWithDifferences = 0;
  long sheetsCompared = 0;
  // Every part of the result reached the result sink and the sink finished: the documents
  // were put in place, or a rendering's stream was completed.
  bool resultComplete = false;
};

}  // namespace quill
