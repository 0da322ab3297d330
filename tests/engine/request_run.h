#pragma once

#include <string>
#include <vector>

#include "engine/comparison.h"
#include "formats/session.h"
#include "result_transcript.h"
#include "support/collecting_error_box.h"
#include "support/memory_workbook.h"
#include "support/recording_progress.h"

namespace quill::test {

// Runs a comparison over two in-memory workbooks and keeps the plain result it tells.
class ComparisonRun {
 public:
  ComparisonRun(const std::vector<TestSheet>& first, const std::vector<TestSheet>& second)
      : session(makeSession(first, second)) {
    request.path1 = "one.xlsx";
    request.path2 = "two.xlsx";
  }
  template <class Comparison>
  const ResultTranscript& run(Comparison comparison) {
    ComparisonContext context{request, session, transcript, progress, errors, [] { return "NOW"; }};
    outcome = comparison(context);
    return transcript;
  }

  ComparisonRequest request;
  SpreadsheetSession session;
  ResultTranscript transcript;
  RecordingProgress progress;
  CollectingErrorBox errors;
  ComparisonOutcome outcome;
};

}  // namespace quill::test
