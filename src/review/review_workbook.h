#pragma once

#include <filesystem>
#include <vector>

#include "engine/comparison_result.h"
#include "review/review_collector.h"
#include "review/review_result.h"
#include "sheet/workbook.h"

namespace quill {

// Writes the review workbook of a result into a new file at the path: the "Differences"
// listing first, then each of File #2's worksheets with its cells marked. Throws WriteError.
void writeReviewWorkbook(const ReviewResult& result, const Workbook& second,
                         const std::filesystem::path& path);

// Saves the review workbook as the documents are saved: written beside the target under a
// hidden name and renamed into its place, never over one of the input files, and nothing
// left behind when anything fails. Throws WriteError.
void saveReviewWorkbook(const ReviewResult& result, const Workbook& second,
                        const std::filesystem::path& target,
                        const std::vector<std::filesystem::path>& inputs);

// Receives a comparison's result and, once it is complete, saves its review workbook.
class ReviewWorkbookWriter final : public ResultSink {
 public:
  ReviewWorkbookWriter(const Workbook& second, std::filesystem::path target,
                       std::vector<std::filesystem::path> inputs, bool sheetsPaired);

  void begin(const ResultHeading& heading) override { collector_.begin(heading); }
  void beginTable(const TableStart& table) override { collector_.beginTable(table); }
  void line(const Line& line) override { collector_.line(line); }
  void endTable() override { collector_.endTable(); }
  void finish() override;

  const ReviewResult& result() const { return collector_.result(); }

 private:
  const Workbook& second_;
  std::filesystem::path target_;
  std::vector<std::filesystem::path> inputs_;
  ReviewCollector collector_;
};

}  // namespace quill
