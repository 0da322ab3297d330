#pragma once

#include "engine/comparison_result.h"
#include "engine/listed_differences.h"
#include "engine/result_tally.h"
#include "report/byte_sink.h"
#include "report/render_options.h"

namespace quill {

// A rendering of a result for scripts and terminals (text, CSV, JSON): walks the result's
// listed differences in order and tallies them, so that each rendering only says how it writes
// a sheet pair, an item and the totals; it also tells what the result counted, for the totals
// of a document that holds several comparisons.
class ScriptRenderer : public ResultSink {
 public:
  ScriptRenderer(ByteSink& out, RenderOptions options)
      : out_(out), options_(std::move(options)), tally_(options_.sheetsPaired) {}

  void beginTable(const TableStart& table) final;
  void line(const Line& line) final;
  void contents(std::span<const ContentItem> items) final;
  void endTable() final {}

  ResultTotal total() const { return tally_.total(); }

 protected:
  // A table begins, after the tally took it; newPair when it begins another sheet pair, which
  // is then tally_.current().
  virtual void tableBegun(const TableStart& table, bool newPair) = 0;
  virtual void writeItem(const DifferenceItem& item) = 0;

  BufferedText out_;
  RenderOptions options_;
  ResultTally tally_;
};

}  // namespace quill
