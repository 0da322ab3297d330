#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "report/script_renderer.h"

namespace quill {

// Renders a result as plain lines for a terminal or a review: the two files, one line for
// each listed difference and each sheet that is not paired as it stands, then a summary
// line for each sheet pair and a total.
class TextRenderer final : public ScriptRenderer {
 public:
  TextRenderer(ByteSink& out, RenderOptions options);

  void begin(const ResultHeading& heading) override;
  void finish() override;

 private:
  void tableBegun(const TableStart& table, bool newPair) override;
  void writeItem(const DifferenceItem& item) override;
  void writeSheetLines();
  void writeAddress(const DifferenceItem& item);
  void writeContentItem(const ContentItem& item);
  void writeContentAddress(const ContentItem& item);
  void writeSummary();
  void colour(const char* code);

  std::string sheetName1_;  // the current table's sheets as addresses show them
  std::string sheetName2_;
  bool inFirst_ = true;
  bool inSecond_ = true;
  bool listed_ = false;  // a line of a difference or a sheet has been written
};

// The summary lines that end the text: one for each sheet pair with its counts, then the
// total, each ending in a line feed.
std::string textSummary(const std::vector<SheetPairSummary>& pairs, const ResultTotal& total);

// The line that heads a pair's section in a comparison of folder trees: "== PATH ==".
std::string textSectionLine(std::string_view relativePath);

}  // namespace quill
